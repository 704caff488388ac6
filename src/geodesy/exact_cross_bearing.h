// The cross bearing on the ellipsoid itself: where the geodesic leaving P1
// under bearing 1 meets the one leaving P2 under bearing 2, solved with
// this library's own inverse and direct problems. It answers what
// KREUZPEILUNG answers in the Gauss-Krueger plane: the geodesics are whole
// lines, so bearings that point apart meet behind the points, and of the
// two places where two geodesics cross the one near the points is taken.
//
// Notation: X(t) the point at the signed distance t from P1 along bearing 1
// (t < 0: behind P1); at X, alpha the direction of line 1 and beta that of
// line 2, each in the sense of its bearing; s2 the distance from P2 to X and
// psi2 the turn from bearing 2 to the azimuth at P2 towards X, so that
// e(t) = s2 sin psi2 is how far X lies right of line 2. The crossing is the
// root of e, found by Newton's method from where the great circles of a
// sphere cross, with de/dt = sin(alpha - beta) s2 / m2 (m2 the reduced
// length of the sphere of radius a).
//
// Accuracy: X lies on line 1 to the direct problem's 0.1 mm; its distance
// from line 2 settles below 1 um, so X is as good as the inverse problem's
// azimuths (1e-11 radians at such distances) divided by the sine of the
// crossing angle: within 1 mm of GeographicLib for lines crossing at
// 1 degree or more over sights of up to 200 km (docs/accuracy.md);
// `uncertainty` estimates it at the answer. Each step costs one direct and
// one inverse problem; five or six steps.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"

namespace orbelin {

struct GeodesicCrossing {
  enum class Outcome {
    kAnswer,    // x is the crossing
    kSameLine,  // both bearings run along one geodesic through both points
    kNoInput,   // NaN or an infinity, a latitude beyond 90
    kUnsolved,  // no crossing found: lines so nearly one that they cross nowhere near
  };
  Outcome outcome = Outcome::kAnswer;
  GeoPoint x{};  // NaN without an answer
  // The crossing lies behind the first or the second point: the lines
  // cross, the sights towards the target do not.
  bool behind_first = false, behind_second = false;
  double angle = 0;               // at which the lines cross, degrees in [0, 90]
  double sight1 = 0, sight2 = 0;  // metres from each point to the crossing
  // With an answer: how far, in metres, the crossing may lie from the true
  // one for the rounding of doubles, large where the lines nearly run
  // together.
  double uncertainty = 0;
};

GeodesicCrossing IntersectGeodesics(const Ellipsoid& ellipsoid, double lat1, double lon1,
                                    double bearing1, double lat2, double lon2, double bearing2);

}  // namespace orbelin
