// Geographic <-> UTM conversion by the classical truncated series.
//
// Source: the series of the Defense Mapping Agency's technical manual
// DMATM 8358.2, "The Universal Grids: Universal Transverse Mercator (UTM)
// and Universal Polar Stereographic (UPS)", 1989, with its terms K1 to K5 for
// the forward conversion.
//
// Notation: phi latitude and lambda longitude in radians; p the longitude
// difference from the zone's central meridian 6 zone - 183 degrees; nu the
// prime vertical radius; S the meridian arc; t = tan phi; eta2 = ep2 cos^2
// phi; k0 the central scale factor; q the easting from the central meridian.
// Bands are letters of UtmBandLetters ('*' outside 80 S .. 84 N); in script
// variables a band is its character code (85 for U).
#pragma once

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"

namespace orbelin {

inline constexpr double UtmScale = 0.9996;
inline constexpr double UtmFalseEasting = 500000.0;
inline constexpr double UtmFalseNorthing = 10000000.0;
inline constexpr double UtmMaxNorthing = 9999999.0;
inline constexpr char UtmBandLetters[] = "CDEFGHJKLMNPQRSTUVWX";

struct UtmPosition {
  int zone = 0;
  signed char band = '*';
  double easting = 0.0;
  double northing = 0.0;
};

// The zone of a longitude: trunc(lon / 6) + 30 for lon <= 0, + 31 otherwise,
// with no special zones. NaN gives 0; values beyond the int range saturate.
int UtmZone(double lon);
// The band letter of a latitude, '*' below 80 S, from 84 N on and for NaN.
signed char UtmBand(double lat);
// The zone that maps and the military grid use at a place: the zone of the
// longitude, except where the grid widened zones. South-west Norway (56 to
// 64 N, 3 to 12 E) lies all in zone 32; Svalbard (72 to 84 N, 0 to 42 E) in
// the odd zones 31 (to 9 E), 33 (to 21 E), 35 (to 33 E) and 37. GPS2UTM
// keeps to the zone of the longitude.
int MapUtmZone(double lat, double lon);

// Forward conversion in the zone the longitude gives. A truncated series:
// within 1 degree of the central meridian it is good to 0.5 mm, at 2 degrees
// to 14 mm, at the zone edge to about 0.1 m (docs/accuracy.md). The northing
// is capped at 9999999, so a point a hair south of the equator never reads
// 10000000.
UtmPosition Geo2Utm(const Ellipsoid& e, double lat, double lon);

// Inverse conversion; bands C..M (also c..m) are southern, every other band
// value northern. Good to 1 mm within 1 degree of the central meridian, 3 cm
// at 2 degrees, 0.2 m at 3 degrees and metres beyond; takes any zone, band
// and plane values without complaint.
GeoPoint Utm2Geo(const Ellipsoid& e, int zone, signed char band, double easting, double northing);

}  // namespace orbelin
