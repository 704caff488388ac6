// Geodesic distance by Vincenty's inverse formula with his A and B series,
// independent of CalcProjection (own ellipsoid values, threshold and budget).
//
// Source: T. Vincenty, "Direct and inverse solutions of geodesics on the
// ellipsoid with application of nested equations", Survey Review 23 (176),
// 88-93, 1975, equations (3) to (6) and the iteration on lambda.
//
// Notation: L longitude difference, U1/U2 reduced latitudes, lambda the
// longitude on the auxiliary sphere, sigma the arc, alpha the equatorial
// azimuth, cos2sm = cos 2 sigma_m, u2 = u^2, A/B the series of the paper.
#pragma once

#include "geodesy/ellipsoid.h"

namespace orbelin {

// Distance in metres on the ellipsoid (a, b and f as given; DISTVINCENTY
// passes kWgs84Vincenty), cut to the millimetre below. Agrees with an exact solution to a
// millimetre wherever it converges. Returns 0 when sin sigma is exactly 0 (coincident points) and
// -1 when 19 updates of lambda do not converge (nearly antipodal points, NaN). A longitude
// difference of +-360 degrees still makes one step, which gives the distance along the common
// meridian.
double DistVincenty(const Ellipsoid& e, double lat1, double lon1, double lat2, double lon2);

}  // namespace orbelin
