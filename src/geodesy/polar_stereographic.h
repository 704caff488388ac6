// The polar stereographic projection of the UPS grid, which takes over from
// UTM north of 84 N and south of 80 S: a conformal projection onto the plane
// that touches the pole, scaled by k0 there.
//
// Source: J. P. Snyder, "Map Projections: A Working Manual", USGS
// Professional Paper 1395 (1987), eqs. (21-33) and (21-34), written with
// the conformal latitude's tangent taup (transverse_mercator.h), which keeps
// full precision up to the pole.
//
// Notation: rho the distance from the pole in the plane; lambda the
// longitude, which is the direction from the pole (grid north along 180
// degrees in the north, along 0 degrees in the south). Exact to rounding:
// a few nanometres.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/transverse_mercator.h"

namespace orbelin {

struct PolarStereographic {
  double a;   // semi-major axis, metres
  double f;   // flattening
  double k0;  // scale at the pole
  double false_easting;
  double false_northing;
};

// Degrees in, metres out; `north` chooses the pole. A point of the other
// hemisphere is projected too (far out).
PlanePoint PsForward(const PolarStereographic& ps, bool north, double lat, double lon);
GeoPoint PsInverse(const PolarStereographic& ps, bool north, double x, double y);

}  // namespace orbelin
