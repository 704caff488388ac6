#include "geodesy/austrian_grid.h"

#include "base/maths.h"
#include "geodesy/helmert.h"
#include "geodesy/lambert_conformal_conic.h"

namespace orbelin {

namespace {

constexpr double kBesselA = 6377397.155, kBesselF = 1 / 299.1528128;
constexpr Ellipsoid kBesselSurface = DeriveEllipsoid(kBesselA, kBesselF);
// EPSG 1618, position vector, MGI to WGS 84.
constexpr Helmert kMgi = {577.326, 90.129, 463.919, 5.137, 1.474, 5.297, 2.4232};
constexpr LambertConformalConic kLambert = {kBesselA, kBesselF, 47.5,   13 + 1 / 3.0,
                                            49,       46,       400000, 400000};

TransverseMercator Zone(int meridian) {
  // M28 is 10 20' E and 150 km, M31 13 20' and 450 km, M34 16 20' and 750 km.
  const int k = (meridian - 28) / 3;
  return {kBesselA, kBesselF, 1, 10 + 1 / 3.0 + 3 * k, 0, 150000.0 + 300000 * k, -5000000};
}

}  // namespace

int AustrianMeridian(double lon) {
  if (lon < 11 + 50 / 60.0) return 28;
  if (lon < 14 + 50 / 60.0) return 31;
  return 34;
}

bool IsAustrianMeridian(int meridian) {
  return meridian == 28 || meridian == 31 || meridian == 34;
}

int AustrianMeridianOfY(double y) {
  if (y < 300000) return 28;
  if (y >= 600000) return 34;
  return 31;
}

PlanePoint Wgs84ToMgiGk(double lat, double lon, int meridian) {
  const GeoPoint g = Wgs84ToDatum(kMgi, kBesselSurface, lat, lon);
  return TmForward(Zone(meridian), g.lat, g.lon);
}

GeoPoint MgiGkToWgs84(double y, double x, int meridian) {
  const GeoPoint g = TmInverse(Zone(meridian), y, x);
  return DatumToWgs84(kMgi, kBesselSurface, g.lat, g.lon);
}

PlanePoint Wgs84ToMgiLambert(double lat, double lon) {
  const GeoPoint g = Wgs84ToDatum(kMgi, kBesselSurface, lat, lon);
  return LccForward(kLambert, g.lat, g.lon);
}

GeoPoint MgiLambertToWgs84(double y, double x) {
  const GeoPoint g = LccInverse(kLambert, y, x);
  return DatumToWgs84(kMgi, kBesselSurface, g.lat, g.lon);
}

bool InAustria(double lat, double lon) {
  return lat >= 46.4 && lat <= 49.02 && lon >= 9.53 && lon <= 17.17;
}

}  // namespace orbelin
