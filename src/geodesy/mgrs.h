// The military grid reference system (MGRS), as rescue and military maps
// print it: "32U MV 12345 67890" is grid zone 32U, the 100 km square MV in
// it, and the point's easting and northing within the square, here to the
// metre.
//
// Between 80 S and 84 N the numbers are UTM's, with the zones the standard
// widens: zone 32 takes 3 to 12 E between 56 and 64 N (southern Norway), and
// north of 72 N the zones 31, 33, 35 and 37 take 0 to 42 E (Svalbard). In
// the polar caps they are UPS's (polar stereographic, k0 0.994, false
// easting and northing 2000 km): zone 0 and the band A or B (south, west or
// east of the 0/180 meridian), Y or Z (north). Both projections are exact
// to nanometres (transverse_mercator.h, polar_stereographic.h), so the text
// is the one of every exact implementation.
//
// Source: NGA, "The Universal Grids and the Transverse Mercator and Polar
// Stereographic Map Projections", NGA.SIG.0012_2.0.0_UTMUPS (2014), and for
// the lettering DMA TM 8358.1, "Datums, Ellipsoids, Grids, and Grid
// Reference Systems" (1990), chapter 3.
//
// Notation: a band is a letter (C..X for UTM; A, B, Y, Z for UPS); in
// script variables it is its character code. Eastings and northings are
// metres with the false easting and northing, as the grids define them.
#pragma once

#include <string>
#include <string_view>

#include "geodesy/angles.h"

namespace orbelin {

struct MgrsPosition {
  int zone = 0;   // 1..60; 0 in the polar caps
  char band = 0;  // C..X; A, B south cap, Y, Z north cap
  double easting = 0.0;
  double northing = 0.0;
};

// The zone a position belongs to, with the Norway and Svalbard widenings;
// latitude in [-90, 90], any longitude.
MgrsPosition GeoToMgrs(double lat, double lon);
// Back to latitude and longitude: the bands N..X, Y and Z are northern.
GeoPoint MgrsToGeo(const MgrsPosition& p);

// "32U MV 12345 67890" with `digits` (0 to 5) digits each for easting and
// northing: the square of 10^(5 - digits) m that holds the point, so the
// digits are cut, never rounded (a point is in the square it names). The
// zone has two digits ("05Q"). Empty when the numbers name no square (zone,
// band or 100 km square out of the grid); then *why says which.
std::string MgrsText(const MgrsPosition& p, int digits, std::string* why);

// A reference read back. Blanks may stand anywhere, letters in either case;
// the digits are 0 to 10, easting and northing alike in number.
struct MgrsReading {
  enum class Fault { kNone, kForm, kSquare };
  Fault fault = Fault::kNone;  // kForm: not written as MGRS; kSquare: no such square
  std::string why;             // what is wrong and what to write, when not kNone
  MgrsPosition corner;         // south-west corner of the square it names
  double size = 0.0;           // the square's side, metres
  GeoPoint centre;             // the middle of that square
};
MgrsReading ReadMgrs(std::string_view text);

}  // namespace orbelin
