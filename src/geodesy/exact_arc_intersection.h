// The arc intersection on the ellipsoid itself: the points at the geodesic
// distance r1 from P1 and r2 from P2, solved with this library's own
// inverse and direct problems. It answers what BOGENSCHNITT answers in the
// Gauss-Krueger plane, with the radii as lengths on the ground.
//
// Notation: d and az12 the distance and azimuth from P1 to P2; theta the
// angle at P1 between the geodesic to P2 and the one to the point sought,
// in [0, pi]: A at the azimuth az12 - theta (left of P1 -> P2), B at
// az12 + theta (right of it); X(theta) the point r1 from P1 that way and
// g(theta) = s(P2, X) - r2, how far X lies outside the second circle. g
// grows from |d - r1| - r2 at theta = 0 to d + r1 - r2 at pi, so it changes
// sign on [0, pi] exactly when the circles meet, and each point is the root
// of g on its side, bracketed.
//
// Accuracy: the root is found to 0.1 um along the circle; what the inverse
// problem may be off by (under 0.1 mm, mostly under 1 um) divided by the
// sine of the angle at which the circles cross is all that remains:
// within 1 mm of GeographicLib for circles that cross at 1 degree or more
// (docs/accuracy.md); `uncertainty` estimates it at the answer. Some 30
// inverse and direct problems in all.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"

namespace orbelin {

// Radii beyond this, metres, reach round the Earth past the farthest point
// from the centre: no geodesic circle has them.
inline constexpr double kLongestRadius = 20000000.0;

struct GeodesicCircles {
  enum class Outcome {
    kAnswer,      // a and b are the intersections (one point twice if they touch)
    kSameCentre,  // P1 and P2 are one point
    kApart,       // each circle lies outside the other
    kInside,      // one circle lies inside the other
    kNoInput,     // NaN or an infinity, a latitude beyond 90, a radius < 0 or > kLongestRadius
    kUnsolved,    // no answer found: a circle reaching the antipode of the other centre
  };
  Outcome outcome = Outcome::kAnswer;
  GeoPoint a{}, b{};  // A left of P1 -> P2, B right of it; NaN without an answer
  // kApart and kInside: halfway between the circles where they come
  // closest, on the geodesic through P1 and P2; NaN otherwise.
  GeoPoint closest{};
  double d = 0;      // metres between the centres
  double gap = 0;    // how far the circles miss each other, metres: > 0 for kApart, kInside
  double angle = 0;  // the angle at which they cross at A, degrees in [0, 90]
  // With an answer: how far, in metres, the crossings may lie from the true
  // ones for the rounding of doubles, large where the circles nearly touch.
  double uncertainty = 0;
};

// Circles that miss each other by less than a micrometre (rounding) touch.
GeodesicCircles IntersectGeodesicCircles(const Ellipsoid& ellipsoid, GeoPoint p1, GeoPoint p2,
                                         double r1, double r2);

}  // namespace orbelin
