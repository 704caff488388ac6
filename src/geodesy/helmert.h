// The seven-parameter Helmert transformation between a national datum and
// WGS 84, through geocentric X, Y, Z with the height above the ellipsoid
// taken as 0 (the grids are two-dimensional; the height changes the plane
// position by well under a millimetre).
//
// Notation: tx, ty, tz translations in metres; rx, ry, rz rotations in arc
// seconds in the position-vector convention (EPSG method 9606: for the
// coordinate-frame convention, 9607, negate them); s the scale in parts
// per million. From the national datum to WGS 84:
//   X' = T + (1 + s) R X,  R = |  1  -rz   ry |
//                              |  rz   1  -rx |
//                              | -ry   rx   1 |
// and its exact inverse the other way, so the two undo each other to
// rounding.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/dhdn_datum.h"
#include "geodesy/ellipsoid.h"

namespace orbelin {

struct Helmert {
  double tx, ty, tz;  // metres
  double rx, ry, rz;  // arc seconds, position vector
  double s;           // parts per million
};

Geocentric HelmertToWgs84(const Helmert& h, const Geocentric& local);
Geocentric HelmertFromWgs84(const Helmert& h, const Geocentric& wgs84);

// Latitude and longitude in degrees, from one datum to the other.
GeoPoint DatumToWgs84(const Helmert& h, const Ellipsoid& local, double lat, double lon);
GeoPoint Wgs84ToDatum(const Helmert& h, const Ellipsoid& local, double lat, double lon);

}  // namespace orbelin
