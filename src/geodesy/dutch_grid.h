// The Dutch grid RD (Rijksdriehoeksmeting, "RD New"): the oblique
// stereographic projection of the Bessel ellipsoid about the tower of
// Amersfoort, on the Amersfoort datum.
//
// Source: IOGP, "Coordinate Conversions and Transformations including
// Formulas", Geomatics Guidance Note 7-2 (2019), method 9809 "Oblique
// Stereographic" (a conformal sphere after Gauss, then the stereographic
// projection from it), with EPSG 28992's origin 52 09' 22.178" N, 5 23'
// 15.5" E, scale 0.9999079, false origin 155 km west and 463 km south of
// it. The datum shift is the Helmert transformation EPSG 15739,
// "Amersfoort to WGS 84 (3)", as PROJ applies it where the official grid
// shift RDNAPTRANS 2018 is not installed (Debian's proj-data does not ship
// it): EPSG gives it as good to 1 m.
//
// Notation: chi the conformal latitude and Lambda the longitude on the
// sphere; R its radius, n and c its constants; x east and y north in
// metres. The projection is exact to rounding; the way back iterates the
// latitude to convergence.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/transverse_mercator.h"

namespace orbelin {

PlanePoint Wgs84ToRd(double lat, double lon);
GeoPoint RdToWgs84(double x, double y);

// Whether a WGS 84 position lies in the Netherlands and its coastal waters,
// the area the grid is made for (50.75 to 53.7 N, 3.2 to 7.22 E).
bool InNetherlands(double lat, double lon);

}  // namespace orbelin
