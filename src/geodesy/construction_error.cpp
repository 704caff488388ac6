// Variable names follow the notation key in geodesy/construction_error.h.
#include "geodesy/construction_error.h"

#include <limits>

#include "base/maths.h"
#include "geodesy/geodesic_inverse.h"

namespace orbelin {

namespace {

constexpr double kUnknown = std::numeric_limits<double>::infinity();
// What the inverse problem itself may be off by: 0.1 mm and 0.01".
constexpr double kDistanceAccuracy = 1e-4;
constexpr double kAzimuthAccuracy = ToRad(0.01 / 3600);
// How closely its errors agree between distances from one point: the
// iteration stops within 1e-14 of the arc (0.06 um), and the error of the
// series changes slowly along the ellipsoid (about 1e-11 per metre of
// separation, measured against GeographicLib up to 100 km). Only
// differences of distances decide the centre.
constexpr double kDistanceAgreement = 1e-6;
constexpr double kDistanceAgreementPerMetre = 1e-11;

bool Measurable(GeoPoint x) {
  return maths::fabs(x.lat) <= 90 && maths::isfinite(x.lon);
}

// The geodesic between a given point and X; false when it has no answer.
bool Measure(const Ellipsoid& e, GeoPoint from, GeoPoint to, InverseResult* r) {
  *r = CalcProjection(e, from.lat, from.lon, to.lat, to.lon, nullptr);
  return r->distance >= 0;  // false for NaN
}

double Squared(double x) {
  return x * x;
}

// Where X lies in the flat picture of P1, P2 and the circles around them:
// P1 at the origin, P2 at distance d along the first axis, X at (a, h).
// The point at r1 and r2 on X's side is (ar, hr); circles that miss each
// other give hr^2 < 0, counted by its size. The distance between the two.
double CircleShift(double s1, double s2, double d, double h, double r1, double r2) {
  const double a = (d * d + s1 * s1 - s2 * s2) / (2 * d);
  const double ar = (d * d + r1 * r1 - r2 * r2) / (2 * d);
  const double hr = maths::sqrt(maths::fabs(r1 * r1 - ar * ar));
  return maths::hypot(ar - a, hr - h);
}

}  // namespace

double CrossBearingError(const Ellipsoid& sight, double lat1, double lon1, double bearing1,
                         double lat2, double lon2, double bearing2, GeoPoint x) {
  if (!Measurable(x)) return kUnknown;
  const GeoPoint from[2] = {{lat1, lon1}, {lat2, lon2}};
  const double bearing[2] = {bearing1, bearing2};
  double e[2], direction[2];
  double slack_miss = 0, slack_angle = 0;
  for (int i = 0; i < 2; ++i) {
    InverseResult r;
    if (!Measure(sight, from[i], x, &r)) return kUnknown;
    // The turn from the bearing line to the geodesic through X, in
    // [-90, 90) degrees: the line runs both ways.
    const double turn = ToRad(AngleMod(r.azimuth - bearing[i] + 90, 180) - 90);
    e[i] = r.distance * maths::sin(turn);  // X lies this far right of line i
    direction[i] = ToRad(r.back_azimuth) + GeoPi - turn;
    // The flat frame at X shortens long sights and bends their directions
    // by about q; the inverse problem adds its own accuracy.
    const double q = Squared(r.distance / sight.a);
    slack_miss += maths::fabs(e[i]) * q + kAzimuthAccuracy * r.distance + kDistanceAccuracy;
    slack_angle += maths::fabs(turn) * q + kAzimuthAccuracy;
  }
  // Moving X onto both lines: the shift whose components along the lines'
  // normals undo e1 and e2. Lines that cross at a small angle make it long.
  const double angle = direction[0] - direction[1];
  const double sine = maths::fabs(maths::sin(angle)) - slack_angle;
  if (!(sine > 0)) return kUnknown;
  const double shift2 = e[0] * e[0] + e[1] * e[1] - 2 * e[0] * e[1] * maths::cos(angle);
  return (maths::sqrt(maths::fmax(0.0, shift2)) + slack_miss) / sine;
}

double CenterError(const Ellipsoid& surface, GeoPoint p1, GeoPoint p2, GeoPoint p3, GeoPoint x) {
  if (!Measurable(x)) return kUnknown;
  const GeoPoint p[3] = {p1, p2, p3};
  double s[3], east[3], north[3];
  for (int i = 0; i < 3; ++i) {
    InverseResult r;
    if (!Measure(surface, x, p[i], &r)) return kUnknown;
    s[i] = r.distance;
    east[i] = maths::sin(ToRad(r.azimuth));
    north[i] = maths::cos(ToRad(r.azimuth));
  }
  // A shift of X by v changes si by minus v along the direction to Pi; the
  // shift that makes s1 = s2 = s3 solves a 2x2 system. Nearly collinear
  // points give nearly parallel rows.
  const double m11 = east[0] - east[1], m12 = north[0] - north[1];
  const double m21 = east[1] - east[2], m22 = north[1] - north[2];
  const double e1 = s[0] - s[1], e2 = s[1] - s[2];
  const double det = m11 * m22 - m12 * m21;
  if (!(det != 0)) return kUnknown;
  const double v_east = (e1 * m22 - m12 * e2) / det;
  const double v_north = (m11 * e2 - e1 * m21) / det;
  // The largest shift that the accuracy of s1 - s2 and s2 - s3 can hide.
  const double inverse_norm =
      maths::sqrt(m11 * m11 + m12 * m12 + m21 * m21 + m22 * m22) / maths::fabs(det);
  const double slack =
      2 * kDistanceAgreement + kDistanceAgreementPerMetre * (s[0] + 2 * s[1] + s[2]);
  return maths::hypot(v_east, v_north) + slack * inverse_norm;
}

double ArcIntersectionError(const Ellipsoid& surface, GeoPoint p1, GeoPoint p2, double r1,
                            double r2, GeoPoint x) {
  if (!Measurable(x)) return kUnknown;
  InverseResult g1, g2;
  if (!Measure(surface, p1, x, &g1) || !Measure(surface, p2, x, &g2)) return kUnknown;
  const double s1 = g1.distance, s2 = g2.distance;
  // The triangle P1 P2 X laid flat around X: the sides s1 and s2 and the
  // angle between them at X give d without cancellation.
  const double half = ToRad(g1.back_azimuth - g2.back_azimuth) / 2;
  const double d = maths::sqrt(Squared(s1 - s2) + 4 * s1 * s2 * Squared(maths::sin(half)));
  const double h = s1 * s2 * maths::fabs(maths::sin(2 * half)) / d;
  // The picture holds X and the point sought alike, so its own flatness
  // barely moves their distance; the accuracy of the radii and of the angle
  // at X may, most where the circles barely cross. Take the worst of them.
  const double slack_d = kAzimuthAccuracy * (s1 + s2);
  if (!(d > slack_d)) return kUnknown;  // centres that X cannot tell apart
  double worst = CircleShift(s1, s2, d, h, r1, r2);
  for (int k = 0; k < 8; ++k) {
    const double dk = d + (k & 1 ? slack_d : -slack_d);
    const double r1k = r1 + (k & 2 ? kDistanceAccuracy : -kDistanceAccuracy);
    const double r2k = r2 + (k & 4 ? kDistanceAccuracy : -kDistanceAccuracy);
    worst = maths::fmax(worst, CircleShift(s1, s2, dk, h, r1k, r2k));
  }
  return maths::isnan(worst) ? kUnknown : worst;
}

double GeodesicCircleGap(const Ellipsoid& surface, GeoPoint p1, GeoPoint p2, double r1, double r2) {
  InverseResult r;
  if (!Measurable(p1) || !Measurable(p2) || !Measure(surface, p1, p2, &r)) return kUnknown;
  const double gap = maths::fmax(r.distance - (maths::fabs(r1) + maths::fabs(r2)),
                                 maths::fabs(r1 - r2) - r.distance);
  return maths::isnan(gap) ? kUnknown : gap;
}

}  // namespace orbelin
