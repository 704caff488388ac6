// The Lambert conformal conic projection with two standard parallels, as
// Austria's Lambert grid uses it.
//
// Source: IOGP, "Coordinate Conversions and Transformations including
// Formulas", Geomatics Guidance Note 7-2 (2019), method 9802 "Lambert
// Conic Conformal (2SP)".
//
// Notation: phi1, phi2 the standard parallels, phiF, lambdaF the false
// origin; m = cos phi / sqrt(1 - e2 sin^2 phi), t the tangent of the
// co-conformal half angle, n the cone's constant, F its scale, r the
// distance from the apex. Exact to rounding; the way back iterates the
// latitude to convergence.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/transverse_mercator.h"

namespace orbelin {

struct LambertConformalConic {
  double a, f;
  double lat_origin, lon_origin;  // degrees: the false origin
  double lat1, lat2;              // degrees: the standard parallels
  double false_easting, false_northing;
};

PlanePoint LccForward(const LambertConformalConic& p, double lat, double lon);
GeoPoint LccInverse(const LambertConformalConic& p, double x, double y);

}  // namespace orbelin
