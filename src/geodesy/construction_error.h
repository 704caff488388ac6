// How far the answer of a plane construction lies from the exact one, and
// when that is too far for an answer. CENTER, KREUZPEILUNG and BOGENSCHNITT
// straighten lines and lengths in the Gauss-Krueger plane on Bessel's
// ellipsoid; their exact twins (exact_center.h, exact_cross_bearing.h,
// exact_arc_intersection.h) solve the same problems on WGS 84, the
// ellipsoid the given coordinates and lengths belong to. Each plane answer
// is measured against the exact one with the inverse problem, and one that
// lies further off than kErrorBound is not given.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"

namespace orbelin {

// Metres. About half a minute of latitude: three orders of magnitude above
// what the constructions miss by in field use (sights and circles of tens
// of km within a strip or two of the meridian), yet well below the size at
// which an answer looks plausible and is wrong.
inline constexpr double kErrorBound = 1000.0;

// Metres. The exact constructions answer only where the rounding of their
// computation moves the answer by no more than this: where points lie
// almost on one line, bearings almost run together or circles almost
// touch, sixteen digits no longer fix the answer to a millimetre.
inline constexpr double kExactTolerance = 0.001;

// The geodesic distance between a and b on `e`, metres, to 0.1 mm.
// Infinite when it cannot be measured: NaN or |lat| > 90, or points so
// nearly antipodal that the inverse problem has no answer.
double Separation(const Ellipsoid& e, GeoPoint a, GeoPoint b);

// How far the geodesic circles of radius r1 around p1 and r2 around p2 on
// `surface` miss each other, metres; 0 or less when they meet. Infinite
// when the distance between the centres cannot be measured.
double GeodesicCircleGap(const Ellipsoid& surface, GeoPoint p1, GeoPoint p2, double r1, double r2);

}  // namespace orbelin
