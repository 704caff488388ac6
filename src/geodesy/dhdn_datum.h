// The datum shift between WGS 84 (what a GPS receiver shows) and DHDN, the
// Potsdam datum on Bessel's ellipsoid in which the Gauss-Krueger grid of
// German topographic maps is drawn. Without it a WGS 84 position put into
// the Bessel series lands 100 to 200 m from the map's grid value.
//
// The shift is the seven-parameter Helmert transformation published for
// Germany: EPSG transformation 1777, "DHDN to WGS 84 (2)", in the EPSG
// Geodetic Parameter Dataset (3 m accuracy, listed for the western states),
// position-vector convention (EPSG method 9606), from DHDN to WGS 84:
//   tx 598.1 m, ty 73.7 m, tz 418.2 m,
//   rx 0.202", ry 0.045", rz -2.455", scale +6.7 ppm.
// It works through the ellipsoids: geodetic on one ellipsoid -> geocentric
// X, Y, Z -> Helmert -> geocentric -> geodetic on the other, with the
// ellipsoidal height taken as 0. docs/accuracy.md measures it against the
// grid shift BETA2007 across Germany.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/gauss_krueger.h"

namespace orbelin {

struct Geocentric {
  double x = 0.0, y = 0.0, z = 0.0;  // metres
};

// Latitude and longitude in degrees, height above the ellipsoid in metres.
Geocentric ToGeocentric(const Ellipsoid& e, double lat, double lon, double height);
// Back to degrees; the height is dropped. Iterated to convergence (a few
// steps near the surface).
GeoPoint ToGeodetic(const Ellipsoid& e, const Geocentric& g);

// The Helmert step alone, DHDN to WGS 84 and its exact inverse.
Geocentric DhdnToWgs84(const Geocentric& g);
Geocentric Wgs84ToDhdn(const Geocentric& g);

// Latitude and longitude in degrees, from one datum to the other.
GeoPoint Wgs84ToDhdn(double lat, double lon);
GeoPoint DhdnToWgs84(double lat, double lon);

// GPS2DHDN: a WGS 84 position to the DHDN Gauss-Krueger grid in strip k.
GaussKruegerPoint Wgs84ToDhdnGK(double lat, double lon, int k);
// DHDN2GPS: a DHDN grid value to WGS 84; the strip is read from R, and a
// trace sink gets GK2GPS's trace.
GeoPoint DhdnGKToWgs84(double r, double h, TextSink* trace);

}  // namespace orbelin
