// How far the answer of a plane construction lies from the exact one on the
// ellipsoid, estimated from the answer itself. The plane's straight lines
// and distances hold near the strip's meridian and away from degenerate
// shapes; rather than guess where that ends, each construction measures its
// answer X with the inverse geodesic problem: how far X misses the
// conditions it should meet, and how sharply those conditions cross at X,
// give the distance to the point that meets them all. Beyond kErrorBound the
// constructions give no answer.
//
// Notation: si the geodesic distance between X and the i-th given point;
// ei the miss of a condition at X in metres (how far X lies right of
// bearing line i; s1 - s2 and s2 - s3 for the centre); q = (si / a)^2 with
// a the semi-major axis, the size of what a flat picture around X leaves
// out. For the circles: d the distance P1 P2 and (a, h) the place of X in
// the flat picture of P1, P2 and X, (ar, hr) that of the point sought.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"

namespace orbelin {

// Metres. About half a minute of latitude: three orders of magnitude above
// what the constructions miss by in field use (sights and circles of tens
// of km within a strip or two of the meridian), yet well below the size at
// which an answer looks plausible and is wrong.
inline constexpr double kErrorBound = 1000.0;

// The error estimates below, in metres. Infinite when X cannot be measured:
// NaN or |lat| > 90, an inverse problem that does not converge (X near the
// antipode of a given point), or conditions that do not cross at X.
// Within the bound they agree with the distance to the exact answer to a
// few per cent, a tenth for circles of 1000 km (docs/accuracy.md). What the
// inverse problem itself may be off by (0.1 mm, 0.01"; for the centre, how
// far its errors differ between nearby points) is added; it dominates only
// for shapes at the limit of double precision.

// X against the two geodesics leaving (lat_i, lon_i) under bearing_i on
// `sight`, taken as whole lines.
double CrossBearingError(const Ellipsoid& sight, double lat1, double lon1, double bearing1,
                         double lat2, double lon2, double bearing2, GeoPoint x);

// X against the point equally far from p1, p2 and p3 on `surface`.
double CenterError(const Ellipsoid& surface, GeoPoint p1, GeoPoint p2, GeoPoint p3, GeoPoint x);

// X against the intersection, on the same side of the line p1 p2, of the
// geodesic circles of radius r1 around p1 and r2 around p2 on `surface`.
// Near-tangent circles are handled by the circle geometry itself, not by a
// linear step: circles that meet at a glancing angle or just miss each
// other are as far off as the chord they gain or lose.
double ArcIntersectionError(const Ellipsoid& surface, GeoPoint p1, GeoPoint p2, double r1,
                            double r2, GeoPoint x);

// How far the geodesic circles of radius r1 around p1 and r2 around p2 on
// `surface` miss each other, metres; 0 or less when they meet. Infinite
// when the distance between the centres cannot be measured.
double GeodesicCircleGap(const Ellipsoid& surface, GeoPoint p1, GeoPoint p2, double r1, double r2);

}  // namespace orbelin
