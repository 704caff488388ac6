#include <cmath>

#include "base/int_conversion.h"
#include "geodesy/angles.h"
#include "geodesy/arc_intersection.h"
#include "geodesy/center.h"
#include "geodesy/cross_bearing.h"
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

void HandleGps2Utm(Runtime& rt, const CallArgs& a) {
  const UtmPosition u = Geo2Utm(kWgs84, a.num[0], a.num[1]);
  rt.SetValue(a.var[0], u.zone);
  rt.SetValue(a.var[1], u.band);
  rt.SetValue(a.var[2], u.easting);
  rt.SetValue(a.var[3], u.northing);
}

void HandleUtm2Gps(Runtime& rt, const CallArgs& a) {
  const int zone = FloorToInt(a.num[0]);
  // The band's low eight bits as a signed character: 85.9 is U, 341 is U too.
  const auto band = static_cast<signed char>(LowByte(std::floor(a.num[1])));
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

void HandleCenter(Runtime& rt, const CallArgs& a) {
  const GeoPoint c =
      Center(kBessel, {a.num[0], a.num[1]}, {a.num[2], a.num[3]}, {a.num[4], a.num[5]}, rt.trace());
  rt.SetValue(a.var[0], c.lat);
  rt.SetValue(a.var[1], c.lon);
}

void HandleKreuzpeilung(Runtime& rt, const CallArgs& a) {
  const GeoPoint x = CrossBearing(kWgs84, kBessel, a.num[0], a.num[1], a.num[2], a.num[3], a.num[4],
                                  a.num[5], rt.trace());
  rt.SetValue(a.var[0], x.lat);
  rt.SetValue(a.var[1], x.lon);
}

void HandleBogenschnitt(Runtime& rt, const CallArgs& a) {
  const ArcIntersection x = BogenSchnitt(kBessel, {a.num[0], a.num[1]}, {a.num[2], a.num[3]},
                                         a.num[4], a.num[5], rt.trace());
  rt.SetValue(a.var[0], x.a.lat);
  rt.SetValue(a.var[1], x.a.lon);
  rt.SetValue(a.var[2], x.b.lat);
  rt.SetValue(a.var[3], x.b.lon);
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
