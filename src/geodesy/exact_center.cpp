// Variable names follow the notation key in geodesy/exact_center.h.
#include "geodesy/exact_center.h"

#include <limits>

#include "base/maths.h"
#include "geodesy/degenerate.h"
#include "geodesy/geodesic_direct.h"
#include "geodesy/geodesic_inverse.h"
#include "geodesy/unit_sphere.h"

namespace orbelin {

namespace {

using Outcome = GeodesicCentre::Outcome;

// Metres: a step this short ends the search. After kStepBound steps a last
// step below kNoise is the noise of nearly parallel rows, not a failure.
constexpr double kSettled = 1e-6;
constexpr int kStepBound = 50;
constexpr double kNoise = 1e-3;
// Metres, and metres per metre of radius: what a difference of two
// distances computed in doubles may be off by (see Uncertainty).
constexpr double kNoiseFloor = 8e-9;
constexpr double kNoisePerMetre = 1e-14;

struct Residual {
  double f1, f2;              // s1 - s2, s2 - s3
  double j11, j12, j21, j22;  // the rows u1 - u2, u2 - u3 (east, north)
  double radius;
  double Size() const { return maths::hypot(f1, f2); }
};

Residual At(const Ellipsoid& e, const GeoPoint (&p)[3], GeoPoint c) {
  double s[3], east[3], north[3];
  for (int i = 0; i < 3; ++i) {
    const InverseResult r = CalcProjection(e, p[i].lat, p[i].lon, c.lat, c.lon, nullptr);
    s[i] = r.distance;
    // Away from Pi at C: the back azimuth turned round.
    const double u = ToRad(r.back_azimuth + 180);
    east[i] = maths::sin(u);
    north[i] = maths::cos(u);
  }
  return {
      s[0] - s[1],         s[1] - s[2], east[0] - east[1], north[0] - north[1], east[1] - east[2],
      north[1] - north[2], s[0]};
}

GeoPoint Moved(const Ellipsoid& e, GeoPoint c, double east, double north) {
  const DirectResult r = CalcBackProjection(e, c.lat, c.lon, ToDeg(maths::atan2(east, north)),
                                            maths::hypot(east, north), nullptr);
  return {r.lat, r.lon};
}

// How far the centre may lie from the true one: the noise of the
// differences of the distances divided by the smallest singular value of
// the Jacobian, which is how much they change per metre the centre moves in
// its least fixed direction (along the circle's axis, for points nearly on
// one line). The noise is the rounding of distances of the circle's size
// plus what the inverse problem may be off by in a difference; the last
// step the search left untaken adds to it.
double Uncertainty(const Residual& r) {
  const double sum = r.j11 * r.j11 + r.j12 * r.j12 + r.j21 * r.j21 + r.j22 * r.j22;
  const double det = maths::fabs(r.j11 * r.j22 - r.j12 * r.j21);
  const double largest =
      maths::sqrt((sum + maths::sqrt(maths::fmax(sum * sum - 4 * det * det, 0))) / 2);
  const double smallest = det / largest;
  if (!(smallest > 0)) return std::numeric_limits<double>::infinity();
  return (kNoiseFloor + kNoisePerMetre * r.radius) / smallest + kSettled;
}

bool Same(const Ellipsoid& e, GeoPoint a, GeoPoint b) {
  return (a.lat == b.lat && a.lon == b.lon) ||
         CalcProjection(e, a.lat, a.lon, b.lat, b.lon, nullptr).distance == 0;
}

}  // namespace

GeodesicCentre CentreOnEllipsoid(const Ellipsoid& ellipsoid, GeoPoint p1, GeoPoint p2,
                                 GeoPoint p3) {
  GeodesicCentre result;
  result.centre = {kNoValue, kNoValue};
  const GeoPoint p[3] = {p1, p2, p3};
  for (const GeoPoint& q : p) {
    if (!(maths::fabs(q.lat) <= 90) || !maths::isfinite(q.lon)) {
      result.outcome = Outcome::kNoInput;
      return result;
    }
  }
  if (Same(ellipsoid, p1, p2) || Same(ellipsoid, p2, p3) || Same(ellipsoid, p1, p3)) {
    result.outcome = Outcome::kEqualPoints;
    return result;
  }

  // On a sphere the centre is the pole of the plane through the points.
  const UnitVector u1 = ToUnit(p1), u2 = ToUnit(p2), u3 = ToUnit(p3);
  UnitVector pole = Cross(Minus(u2, u1), Minus(u3, u2));
  if (!(Norm(pole) > 0)) {
    result.outcome = Outcome::kUnsolved;
    return result;
  }
  if (Dot(pole, u1) < 0) pole = Scaled(pole, -1);
  GeoPoint c = FromUnit(pole);

  Residual r = At(ellipsoid, p, c);
  double last_step = kNoValue;
  for (int step = 0; step < kStepBound && maths::isfinite(r.Size()); ++step) {
    const double det = r.j11 * r.j22 - r.j12 * r.j21;
    if (!(det != 0)) break;
    double east = -(r.f1 * r.j22 - r.j12 * r.f2) / det;
    double north = -(r.j11 * r.f2 - r.f1 * r.j21) / det;
    // Halve a step that does not bring the distances closer together: far
    // from the centre the conditions bend away from their tangents.
    GeoPoint next = Moved(ellipsoid, c, east, north);
    Residual rn = At(ellipsoid, p, next);
    for (int halving = 0; halving < 30 && !(rn.Size() < r.Size()); ++halving) {
      if (maths::hypot(east, north) < kSettled) break;
      east /= 2;
      north /= 2;
      next = Moved(ellipsoid, c, east, north);
      rn = At(ellipsoid, p, next);
    }
    last_step = maths::hypot(east, north);
    c = next;
    r = rn;
    if (last_step < kSettled) break;
  }
  if (!(last_step < kNoise) || !maths::isfinite(r.Size())) {
    result.outcome = Outcome::kUnsolved;
    return result;
  }
  result.centre = c;
  result.radius = r.radius;
  result.uncertainty = Uncertainty(r);
  return result;
}

}  // namespace orbelin
