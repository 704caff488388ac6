// The centre of three points on the ellipsoid itself: the point C equally
// far, along geodesics, from P1, P2 and P3, solved with this library's own
// inverse and direct problems. It answers what CENTER answers in the
// Gauss-Krueger plane. Of the two such points (near the points and near
// their antipodes) the one near the points is taken.
//
// Notation: si the geodesic distance from Pi to C and ui the unit vector of
// its direction at C (east, north), which is the gradient of si there; the
// conditions s1 - s2 = 0 and s2 - s3 = 0 with the rows u1 - u2 and u2 - u3
// as their exact Jacobian. Newton's method, started where a sphere of
// radius a puts the centre, moves C by the step that solves them.
//
// Accuracy: C settles to 1 um, so what remains is what the inverse problem
// may be off by in the differences of the distances (well under 1 um up to
// 100 km), magnified where the points lie nearly on one line: within 1 mm
// of GeographicLib for points spread over 2 degrees of their circle or
// more (docs/accuracy.md). `uncertainty` estimates that magnification at
// the answer, from the Jacobian, so that a caller can refuse an answer
// doubles do not fix to a millimetre. Each step costs three inverse
// problems and one direct problem; three or four steps.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"

namespace orbelin {

struct GeodesicCentre {
  enum class Outcome {
    kAnswer,       // centre is the point equally far from the three
    kEqualPoints,  // two of the points are one
    kNoInput,      // NaN or an infinity, a latitude beyond 90
    kUnsolved,     // no centre found: points too nearly one for doubles to place it
  };
  Outcome outcome = Outcome::kAnswer;
  GeoPoint centre{};  // NaN without an answer
  double radius = 0;  // metres from the centre to each point
  // With an answer: how far, in metres, the centre may lie from the true
  // one for the rounding of doubles, large where the points lie nearly on
  // one line.
  double uncertainty = 0;
};

GeodesicCentre CentreOnEllipsoid(const Ellipsoid& ellipsoid, GeoPoint p1, GeoPoint p2, GeoPoint p3);

}  // namespace orbelin
