// Variable names follow the notation key in geodesy/exact_arc_intersection.h.
#include "geodesy/exact_arc_intersection.h"

#include "base/maths.h"
#include "geodesy/degenerate.h"
#include "geodesy/geodesic_direct.h"
#include "geodesy/geodesic_inverse.h"

namespace orbelin {

namespace {

using Outcome = GeodesicCircles::Outcome;

// Metres: a step along the circle this short ends the search.
constexpr double kSettled = 1e-7;
// Circles that miss each other by no more than this, plus 1e-12 of the
// figure's size, touch: distances agree to about that much.
constexpr double kTouch = 1e-6;
constexpr int kStepBound = 100;
// What a distance from a centre may be off by in doubles: metres, and
// metres per metre of radius.
constexpr double kNoiseFloor = 1e-7;
constexpr double kNoisePerMetre = 1e-11;

bool IsLatitude(double lat) {
  return maths::fabs(lat) <= 90;  // false for NaN
}

bool IsRadius(double r) {
  return r >= 0 && r <= kLongestRadius;
}

struct Probe {
  GeoPoint x;
  double g;      // metres outside the second circle
  double slope;  // dg/dtheta, metres per radian (approximate)
  double angle;  // between the two radii at X, degrees in [0, 90]
};

struct Figure {
  const Ellipsoid& e;
  GeoPoint p1, p2;
  double r1, r2, az12;
  double m1;  // how far X moves per radian of theta, from a sphere of radius a

  // X(theta) on the side -1 (A) or +1 (B), and g there.
  Probe At(double side, double theta) const {
    const DirectResult x =
        CalcBackProjection(e, p1.lat, p1.lon, az12 + side * ToDeg(theta), r1, nullptr);
    const InverseResult s = CalcProjection(e, p2.lat, p2.lon, x.lat, x.lon, nullptr);
    // As theta grows X moves at right angles to its radius from P1 (to the
    // left of it on A's side), and g grows along the radius from P2.
    const double radius1 = x.back_azimuth + 180;
    const double radius2 = s.back_azimuth + 180;
    const double between = LineAngle(radius1, radius2);
    return {{x.lat, x.lon},
            s.distance - r2,
            m1 * maths::cos(ToRad(radius1 + side * 90 - radius2)),
            between};
  }

  // The first guess: the angle at P1 of the triangle with the sides r1, d
  // and r2 on a sphere of radius a (the half-angle form, which keeps its
  // digits for small triangles).
  double SphereAngle(double d) const {
    const double b = r1 / e.a, c = d / e.a, s = (r2 / e.a + b + c) / 2;
    const double q = maths::sin(s - b) * maths::sin(s - c) / (maths::sin(b) * maths::sin(c));
    if (!maths::isfinite(q)) return GeoPi / 2;
    return 2 * maths::asin(maths::sqrt(maths::fmin(1.0, maths::fmax(0.0, q))));
  }

  // The root of g on one side, bracketed in [lo, hi] with g(lo) <= 0 <=
  // g(hi): Newton's steps while they stay inside, halving otherwise.
  bool Solve(double side, double guess, Probe* out) const {
    const Probe near = At(side, 0);
    if (!(near.g < 0)) {  // touching from outside, or the smaller circle from inside
      *out = near;
      return !maths::isnan(near.g);
    }
    const Probe far = At(side, GeoPi);
    if (!(far.g > 0)) {  // the smaller first circle touching from inside
      *out = far;
      return !maths::isnan(far.g);
    }
    double lo = 0, hi = GeoPi;
    double theta = guess > lo && guess < hi ? guess : GeoPi / 2;
    double last_g = maths::fmin(-near.g, far.g);
    for (int step = 0; step < kStepBound; ++step) {
      const Probe p = At(side, theta);
      if (maths::isnan(p.g)) return false;
      if (p.g == 0) {
        *out = p;
        return true;
      }
      (p.g < 0 ? lo : hi) = theta;
      double next = theta - p.g / p.slope;
      // A Newton step that leaves the bracket, or one after a step that did
      // not halve g, gives way to halving the bracket.
      if (!(next > lo && next < hi) || maths::fabs(p.g) > last_g / 2) next = (lo + hi) / 2;
      last_g = maths::fabs(p.g);
      const bool settled = maths::fabs(next - theta) * m1 < kSettled || (hi - lo) * m1 < kSettled;
      theta = next;
      if (settled) {
        *out = At(side, theta);
        return !maths::isnan(out->g);
      }
    }
    return false;
  }
};

GeoPoint Along(const Ellipsoid& e, GeoPoint from, double azimuth, double distance) {
  const DirectResult r = CalcBackProjection(e, from.lat, from.lon, azimuth, distance, nullptr);
  return {r.lat, r.lon};
}

}  // namespace

GeodesicCircles IntersectGeodesicCircles(const Ellipsoid& ellipsoid, GeoPoint p1, GeoPoint p2,
                                         double r1, double r2) {
  GeodesicCircles result;
  const GeoPoint none{kNoValue, kNoValue};
  result.a = result.b = result.closest = none;
  if (!IsLatitude(p1.lat) || !IsLatitude(p2.lat) || !maths::isfinite(p1.lon) ||
      !maths::isfinite(p2.lon) || !IsRadius(r1) || !IsRadius(r2)) {
    result.outcome = Outcome::kNoInput;
    result.d = kNoValue;
    return result;
  }
  const InverseResult base = CalcProjection(ellipsoid, p1.lat, p1.lon, p2.lat, p2.lon, nullptr);
  const double d = base.distance;
  result.d = d;
  if (maths::isnan(d)) {
    result.outcome = Outcome::kUnsolved;  // centres nearly antipodal
    return result;
  }
  if (d == 0) {
    result.outcome = Outcome::kSameCentre;
    return result;
  }
  const double apart = d - r1 - r2, inside = maths::fabs(r1 - r2) - d;
  const double gap = maths::fmax(apart, inside);
  if (gap > kTouch + 1e-12 * (r1 + r2 + d)) {
    result.outcome = apart >= inside ? Outcome::kApart : Outcome::kInside;
    result.gap = gap;
    // Halfway between the nearest points of the two circles.
    if (apart >= inside) {
      result.closest = Along(ellipsoid, p1, base.azimuth, r1 + apart / 2);
    } else if (r1 > r2) {
      result.closest = Along(ellipsoid, p1, base.azimuth, (r1 + d + r2) / 2);
    } else {
      result.closest = Along(ellipsoid, p1, base.azimuth + 180, (r1 + r2 - d) / 2);
    }
    return result;
  }

  const Figure figure{
      ellipsoid, p1, p2, r1, r2, base.azimuth, ellipsoid.a * maths::sin(r1 / ellipsoid.a)};
  const double guess = figure.SphereAngle(d);
  Probe a, b;
  if (!figure.Solve(-1, guess, &a) || !figure.Solve(+1, guess, &b)) {
    result.outcome = Outcome::kUnsolved;
    return result;
  }
  result.a = a.x;
  result.b = b.x;
  result.angle = a.angle;
  // An error in the distances moves a crossing along its circle by that
  // error over the sine of the crossing angle. Where the circles nearly
  // touch the crossings run together and the move is bounded by the
  // depth of a circle's bend over it instead: a point x along the common
  // tangent lies x^2 k / 2 inside the other circle, k = |1/r1 +- 1/r2|.
  // Circles taken as touching though they miss by a hair add that hair.
  const double noise = kNoiseFloor + kNoisePerMetre * (r1 + r2) + maths::fmax(gap, 0.0);
  const double bend = maths::fabs(1 / r1 + (apart >= inside ? 1 : -1) / r2);
  result.uncertainty =
      maths::fmin(noise / maths::sin(ToRad(a.angle)), maths::sqrt(2 * noise / bend)) + kSettled;
  return result;
}

}  // namespace orbelin
