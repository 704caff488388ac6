// Austria's grids on the MGI datum and the Bessel ellipsoid: Gauss-Krueger
// in three zones about the meridians M28, M31 and M34 (28, 31 and 34
// degrees east of Ferro: 10 20', 13 20' and 16 20' east of Greenwich),
// and the Lambert grid over the whole country.
//
// Source: the EPSG definitions 31257, 31258, 31259 ("MGI / Austria GK M28,
// M31, M34": transverse Mercator, scale 1, false easting 150, 450 and 750
// km, false northing -5000 km) and 31287 ("MGI / Austria Lambert": Lambert
// conformal conic, standard parallels 49 and 46 N, false origin 47 30' N,
// 13 20' E at 400 km, 400 km). The datum shift is the Helmert
// transformation EPSG 1618, "MGI to WGS 84 (3)", which PROJ applies for
// them; EPSG gives it as good to 1.5 m.
//
// Notation: Y east (Rechtswert) and X north (Hochwert) in metres, as
// Austrian maps name them. The projections are exact to rounding.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/transverse_mercator.h"

namespace orbelin {

// The zone of a longitude: M28 west of 11 50' E, M34 from 14 50' E, M31
// between.
int AustrianMeridian(double lon);
// Whether the meridian is one of the three (28, 31, 34).
bool IsAustrianMeridian(int meridian);
// The meridian whose zone a Y value lies in: below 300 km M28, from 600 km
// M34, else M31.
int AustrianMeridianOfY(double y);

// WGS 84 degrees to the Gauss-Krueger zone of `meridian` (x = Y east,
// y = X north), and back.
PlanePoint Wgs84ToMgiGk(double lat, double lon, int meridian);
GeoPoint MgiGkToWgs84(double y, double x, int meridian);

// WGS 84 degrees to the Lambert grid (x = Y east, y = X north), and back.
PlanePoint Wgs84ToMgiLambert(double lat, double lon);
GeoPoint MgiLambertToWgs84(double y, double x);

// Whether a WGS 84 position lies in Austria, the area the grids are made
// for (46.4 to 49.02 N, 9.53 to 17.17 E).
bool InAustria(double lat, double lon);

}  // namespace orbelin
