// Distance, bearing and projection in the plane of the UTM grid.
//
// Notation: E/N easting and northing of a point in its own zone, dE/dN their
// differences, theta a mathematical angle counted from grid east.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"

namespace orbelin {

// Plane distance in metres between the UTM images of two points, each in the
// zone its own longitude gives. Within one zone it is the geodesic distance
// scaled by the grid's scale factor (0.9996 on the central meridian, up to
// about 1.001 at the zone edge); across a zone boundary it is meaningless.
double DistUtm(const Ellipsoid& e, double lat1, double lon1, double lat2, double lon2);

// Grid bearing in degrees from point 1 to point 2, in [0, 360); same limits
// as DistUtm. Identical points give 90; arguments that are not finite
// numbers give NaN.
double BearingUtm(const Ellipsoid& e, double lat1, double lon1, double lat2, double lon2);

// The point `distance` metres from (lat, lon) along the grid bearing, moved
// in the zone and band of the start and converted back from there. Exact to
// the conversions' accuracy when the point stays in the start's zone.
GeoPoint PlaneProject(const Ellipsoid& e, double lat, double lon, double bearing, double distance);

}  // namespace orbelin
