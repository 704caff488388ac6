// Variable names follow the notation key in geodesy/plane_utm.h.
#include "geodesy/plane_utm.h"

#include <cmath>
#include <limits>

#include "geodesy/ellipsoid.h"
#include "geodesy/utm.h"

namespace orbelin {

double DistUtm(double lat1, double lon1, double lat2, double lon2) {
  const Ellipsoid& e = SelectEllipsoid(0);
  const UtmPosition p1 = Geo2Utm(e, lat1, lon1);
  const UtmPosition p2 = Geo2Utm(e, lat2, lon2);
  const double de = p2.easting - p1.easting;
  const double dn = p2.northing - p1.northing;
  return std::sqrt(de * de + dn * dn);
}

double BearingUtm(double lat1, double lon1, double lat2, double lon2) {
  const Ellipsoid& e = SelectEllipsoid(0);
  const UtmPosition p1 = Geo2Utm(e, lat1, lon1);
  const UtmPosition p2 = Geo2Utm(e, lat2, lon2);
  const double de = p2.easting - p1.easting;
  const double dn = p2.northing - p1.northing;
  double bearing = ToDeg(-std::atan2(dn, de)) + 90;
  // Only a finite value can be brought into [0, 360) by adding 360.
  if (!std::isfinite(bearing)) return std::numeric_limits<double>::quiet_NaN();
  while (bearing < 0) bearing += 360;
  return bearing;
}

GeoPoint PlaneProject(double lat, double lon, double bearing, double distance) {
  const UtmPosition p = Geo2Utm(SelectEllipsoid(0), lat, lon);
  const double theta = ToRad(90 - bearing);
  const double easting = p.easting + std::cos(theta) * distance;
  const double northing = p.northing + std::sin(theta) * distance;
  return Utm2GeoWgs84(p.zone, p.band, easting, northing);
}

}  // namespace orbelin
