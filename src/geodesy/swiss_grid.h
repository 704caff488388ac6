// The Swiss grid LV95 (and the older LV03) of every Swiss map: the oblique
// Mercator projection of the Bessel ellipsoid about the old observatory of
// Bern, on the CH1903+ datum.
//
// Source: swisstopo, "Formulas and constants for the calculation of the
// Swiss conformal cylindrical projection and for the transformation between
// coordinate systems" (2016), chapters 3.2 and 3.3 (the rigorous formulas:
// a conformal sphere, then a Mercator projection on it about an oblique
// axis), and the datum shift CH1903+ to WGS 84 of chapter 4.1: the three
// translations 674.374, 15.056, 405.346 m, which define CH1903+ from the
// Swiss reference frame CHTRS95 (equal to WGS 84 within a metre).
//
// Notation: phi0, lambda0 the origin (46 57' 08.66", 7 26' 22.50"); R the
// radius of the sphere, alpha the ratio of longitudes on it, b0 the
// origin's latitude on it, K the constant of the conformal latitude; b, l
// on the sphere, bb, lb on the sphere turned about the origin; E east and
// N north in metres. The projection is exact to rounding.
//
// LV03 is LV95 with 2000000 and 1000000 taken off and the old survey's
// distortions added, up to 2 m, as swisstopo's grid CHENYX06 gives them
// (lv03_distortion.h holds them every 0.1 degree: within 0.3 m of the grid).
#pragma once

#include "geodesy/angles.h"
#include "geodesy/transverse_mercator.h"

namespace orbelin {

// WGS 84 degrees to LV95 metres (x east, y north) and back.
PlanePoint Wgs84ToLv95(double lat, double lon);
GeoPoint Lv95ToWgs84(double east, double north);

// The projection alone, on the CH1903+ datum (Bessel): degrees <-> metres.
PlanePoint SwissForward(double lat, double lon);
GeoPoint SwissInverse(double east, double north);

// Whether a WGS 84 position lies in Switzerland and Liechtenstein, the
// area the grid is made for (45.82 to 47.81 N, 5.96 to 10.49 E).
bool InSwitzerland(double lat, double lon);

inline constexpr double kLv03East = 2000000.0, kLv03North = 1000000.0;

// WGS 84 degrees to LV03 metres (x = y east, y = x north, as LV03 names
// them) and back.
PlanePoint Wgs84ToLv03(double lat, double lon);
GeoPoint Lv03ToWgs84(double y, double x);
// The distortions at a WGS 84 position, metres east and north; beyond the
// table's edge those of its edge.
PlanePoint Lv03Distortion(double lat, double lon);

}  // namespace orbelin
