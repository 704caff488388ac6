// Geodesic distance by Vincenty's inverse formula with his A and B series,
// independent of CalcProjection (own constants, threshold and budget).
//
// Notation: L longitude difference, U1/U2 reduced latitudes, lambda the
// longitude on the auxiliary sphere, sigma the arc, alpha the equatorial
// azimuth, cos2sm = cos 2 sigma_m, u2 = u^2, A/B the series of the paper.
#pragma once

namespace orbelin {

// Distance in metres on WGS 84 (b = 6356752.3142 as written), cut to the
// millimetre below. Agrees with an exact solution to a millimetre wherever it
// converges. Returns 0 when sin sigma is exactly 0 (coincident points) and -1
// when 19 updates of lambda do not converge (nearly antipodal points, NaN).
// A longitude difference of +-360 degrees still makes one step, which gives
// the distance along the common meridian.
double DistVincenty(double lat1, double lon1, double lat2, double lon2);

}  // namespace orbelin
