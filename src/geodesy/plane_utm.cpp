// Variable names follow the notation key in geodesy/plane_utm.h.
#include "geodesy/plane_utm.h"

#include <limits>

#include "base/maths.h"
#include "geodesy/utm.h"

namespace orbelin {

namespace {

// Easting and northing differences from point 1 to point 2, each point in
// the zone its own longitude gives.
struct GridDelta {
  double de, dn;
};

GridDelta GridDifference(const Ellipsoid& e, double lat1, double lon1, double lat2, double lon2) {
  const UtmPosition p1 = Geo2Utm(e, lat1, lon1);
  const UtmPosition p2 = Geo2Utm(e, lat2, lon2);
  return {p2.easting - p1.easting, p2.northing - p1.northing};
}

}  // namespace

double DistUtm(const Ellipsoid& e, double lat1, double lon1, double lat2, double lon2) {
  const auto [de, dn] = GridDifference(e, lat1, lon1, lat2, lon2);
  return maths::sqrt(de * de + dn * dn);
}

double BearingUtm(const Ellipsoid& e, double lat1, double lon1, double lat2, double lon2) {
  const auto [de, dn] = GridDifference(e, lat1, lon1, lat2, lon2);
  double bearing = ToDeg(-maths::atan2(dn, de)) + 90;
  // Only a finite value can be brought into [0, 360) by adding 360.
  if (!maths::isfinite(bearing)) return std::numeric_limits<double>::quiet_NaN();
  while (bearing < 0) bearing += 360;
  return bearing;
}

GeoPoint PlaneProject(const Ellipsoid& e, double lat, double lon, double bearing, double distance) {
  const UtmPosition p = Geo2Utm(e, lat, lon);
  const double theta = ToRad(90 - bearing);
  const double easting = p.easting + maths::cos(theta) * distance;
  const double northing = p.northing + maths::sin(theta) * distance;
  return Utm2Geo(e, p.zone, p.band, easting, northing);
}

}  // namespace orbelin
