// The British National Grid of the Ordnance Survey: transverse Mercator on
// the Airy 1830 ellipsoid and the OSGB36 datum, and its grid references
// ("TQ 30080 80900": the 100 km square TQ, then easting and northing in it).
//
// Source: Ordnance Survey, "A guide to coordinate systems in Great Britain"
// (2020), annex C (the projection: origin 49 N, 2 W, scale 0.9996012717,
// false origin 400 km west and 100 km north of it) and section 6.6 (the
// letters). The datum shift is the Helmert transformation EPSG 1314,
// "OSGB36 to WGS 84 (6)", which PROJ applies where the official grid shift
// OSTN15 is not installed (Debian's proj-data does not ship it): EPSG
// gives it as good to 2 m; OSTN15 itself is good to 0.1 m.
//
// Notation: E east and N north in metres from the false origin; the
// projection is the exact transverse Mercator (transverse_mercator.h).
#pragma once

#include <string>
#include <string_view>

#include "geodesy/angles.h"
#include "geodesy/transverse_mercator.h"

namespace orbelin {

PlanePoint Wgs84ToOsgb(double lat, double lon);
GeoPoint OsgbToWgs84(double east, double north);

// Whether a WGS 84 position lies in Great Britain and its islands, the area
// the grid is made for (49.75 to 61.01 N, 9.01 W to 2.01 E).
bool InGreatBritain(double lat, double lon);

// "TQ 30080 80900" with `digits` (0 to 5) digits each, cut like MGRS's;
// empty when the values lie outside the grid's squares (0 to 700 km east,
// 0 to 1300 km north), with *why.
std::string OsgbReference(double east, double north, int digits, std::string* why);

// A grid reference read back: blanks anywhere or none, letters in either
// case, 0 to 5 digits each.
struct OsgbReading {
  bool ok = false;
  std::string why;
  double east = 0.0, north = 0.0;  // south-west corner of the square it names
  double size = 0.0;               // its side, metres
};
OsgbReading ReadOsgbReference(std::string_view text);

}  // namespace orbelin
