#include <string>

#include "base/int_conversion.h"
#include "base/maths.h"
#include "geodesy/angles.h"
#include "geodesy/dhdn_datum.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/gauss_krueger.h"
#include "geodesy/geodesic_direct.h"
#include "geodesy/geodesic_inverse.h"
#include "geodesy/plane_utm.h"
#include "geodesy/utm.h"
#include "geodesy/vincenty_distance.h"
#include "interp/bindings.h"

namespace orbelin {

// Every computation is on WGS 84, except the Gauss-Krueger grid and the
// constructions in its plane, which are on Bessel's ellipsoid.

// GPS2UTM gives the zone of the longitude, as it always has; where maps
// of Norway and Svalbard use another zone, a note says which, so that the
// numbers are not compared with a map's grid that differs.
void HandleGps2Utm(Runtime& rt, const CallArgs& a) {
  const UtmPosition u = Geo2Utm(kWgs84, a.num[0], a.num[1]);
  rt.SetValue(a.var[0], u.zone);
  rt.SetValue(a.var[1], u.band);
  rt.SetValue(a.var[2], u.easting);
  rt.SetValue(a.var[3], u.northing);
  const int map_zone = MapUtmZone(a.num[0], a.num[1]);
  if (map_zone != u.zone) {
    const std::string band(1, static_cast<char>(u.band));
    const std::string standard = std::to_string(u.zone) + band;
    const std::string map = std::to_string(map_zone) + band;
    rt.Note("GPS2UTM gives the standard zone " + standard + " here; maps of " +
                (u.band == 'V' ? "Norway" : "Svalbard") + " use zone " + map,
            "the numbers are right for zone " + standard +
                " and UTM2GPS reads them back; a map's grid in zone " + map +
                " shows another easting and northing for the same point");
  }
}

void HandleUtm2Gps(Runtime& rt, const CallArgs& a) {
  const int zone = FloorToInt(a.num[0]);
  // The band's low eight bits as a signed character: 85.9 is U, 341 is U too.
  const auto band = static_cast<signed char>(LowByte(maths::floor(a.num[1])));
  const GeoPoint g = Utm2Geo(kWgs84, zone, band, a.num[2], a.num[3]);
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
}

void HandleCp(Runtime& rt, const CallArgs& a) {
  const InverseResult r =
      CalcProjection(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3], rt.trace());
  rt.SetValue(a.var[0], r.distance);
  rt.SetValue(a.var[1], r.azimuth);
}

void HandleCbp(Runtime& rt, const CallArgs& a) {
  const DirectResult r =
      CalcBackProjection(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3], rt.trace());
  rt.SetValue(a.var[0], r.lat);
  rt.SetValue(a.var[1], r.lon);
}

void HandleGps2Gk(Runtime& rt, const CallArgs& a) {
  const int strip = a.num[2] > 360 ? MkzStrip(a.num[1]) : FloorToInt(a.num[2]);
  const GaussKruegerPoint p = Geo2GK(kBessel, a.num[0], a.num[1], strip);
  rt.SetValue(a.var[0], p.r);
  rt.SetValue(a.var[1], p.h);
}

void HandleGk2Gps(Runtime& rt, const CallArgs& a) {
  const GeoPoint g = GK2Geo(kBessel, a.num[0], a.num[1], rt.trace());
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
}

// GPS2GK and GK2GPS with the datum shift to the grid of German maps.
void HandleGps2Dhdn(Runtime& rt, const CallArgs& a) {
  const int strip = a.num[2] > 360 ? MkzStrip(a.num[1]) : FloorToInt(a.num[2]);
  const GaussKruegerPoint p = Wgs84ToDhdnGK(a.num[0], a.num[1], strip);
  rt.SetValue(a.var[0], p.r);
  rt.SetValue(a.var[1], p.h);
}

void HandleDhdn2Gps(Runtime& rt, const CallArgs& a) {
  const GeoPoint g = DhdnGKToWgs84(a.num[0], a.num[1], rt.trace());
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
}

double FnGmmmm(Runtime&, const CallArgs& a) {
  return Gmmmm(a.num[0], a.num[1], a.num[2], a.num[3], a.num[4]);
}

double FnBearingUtm(Runtime&, const CallArgs& a) {
  return BearingUtm(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3]);
}

double FnDistUtm(Runtime&, const CallArgs& a) {
  return DistUtm(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3]);
}

double FnDistVincenty(Runtime&, const CallArgs& a) {
  return DistVincenty(kWgs84Vincenty, a.num[0], a.num[1], a.num[2], a.num[3]);
}

double FnProjUtmLat(Runtime&, const CallArgs& a) {
  return PlaneProject(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3]).lat;
}

double FnProjUtmLon(Runtime&, const CallArgs& a) {
  return PlaneProject(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3]).lon;
}

double FnMkz(Runtime&, const CallArgs& a) {
  return Mkz(a.num[0]);
}

double FnTorad(Runtime&, const CallArgs& a) {
  return ToRad(a.num[0]);
}

double FnTodeg(Runtime&, const CallArgs& a) {
  return ToDeg(a.num[0]);
}

}  // namespace orbelin
