// GPS2DHDN/DHDN2GPS against the grid of German maps as PROJ's cs2cs gives it
// with the official grid shift BETA2007, at places across Germany and at its
// borders; GPS2GK beside them shows what the datum shift is worth.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "dhdn_reference.h"
#include "geodesy/dhdn_datum.h"
#include "geodesy/gauss_krueger.h"
#include "sections.h"

namespace orbelin::accuracy {

namespace {

double MetresApart(double lat1, double lon1, double lat2, double lon2) {
  const double north = (lat2 - lat1) * 111200.0;
  const double east = (lon2 - lon1) * 111200.0 * std::cos(lat1 * 3.141592653589793 / 180);
  return std::hypot(north, east);
}

}  // namespace

std::string DatumSection(Figures& f) {
  namespace ref = dhdn_reference;
  std::string s =
      "## Datum shift: GPS2DHDN and DHDN2GPS against BETA2007\n\n"
      "The grid of German topographic maps is Gauss-Krueger on the DHDN datum. GPS2DHDN shifts "
      "a WGS 84 position to DHDN with the seven-parameter Helmert transformation EPSG 1777 and "
      "converts it as GPS2GK does; DHDN2GPS goes back. The reference is PROJ's `cs2cs` (EPSG:4326 "
      "to EPSG:31466...31469, the strips 2 to 5), which applies the official grid shift "
      "BETA2007 of the German survey. GPS2DHDN: distance between its H/R and cs2cs's; DHDN2GPS: "
      "distance between its position for cs2cs's H/R and the place; GPS2GK: the same distance "
      "without the datum shift. Metres.\n\n";
  if (!ref::GridIsApplied()) {
    f["dhdn_worst"] = NAN;
    return s +
           "*Not measured: `cs2cs` with the BETA2007 grid (Debian's proj-bin and proj-data) "
           "is not installed.*\n\n";
  }
  s += "| place | WGS 84 | strip | cs2cs H, R | GPS2DHDN (m) | DHDN2GPS (m) | GPS2GK (m) |\n";
  s += "|---|---|---:|---|---:|---:|---:|\n";
  double worst = 0, worst_gk = 0, best_gk = 1e9;
  std::string worst_place;
  for (const ref::Place& place : ref::kPlaces) {
    const int strip = ref::StripOf(place.lon);
    const auto map = ref::MapGrid(place, strip);
    if (!map) continue;
    const GaussKruegerPoint p = Wgs84ToDhdnGK(place.lat, place.lon, strip);
    const double forward = std::hypot(p.h - map->first, p.r - map->second);
    const GeoPoint g = DhdnGKToWgs84(map->second, map->first, nullptr);
    const double back = MetresApart(g.lat, g.lon, place.lat, place.lon);
    const GaussKruegerPoint plain = Geo2GK(kBessel, place.lat, place.lon, strip);
    const double gk = std::hypot(plain.h - map->first, plain.r - map->second);
    if (std::max(forward, back) > worst) {
      worst = std::max(forward, back);
      worst_place = place.name;
    }
    worst_gk = std::max(worst_gk, gk);
    best_gk = std::min(best_gk, gk);
    char row[320];
    std::snprintf(row, sizeof row,
                  "| %s | %.4f N %.4f E | %d | %.1f, %.1f | %.2f | %.2f | %.0f |\n", place.name,
                  place.lat, place.lon, strip, map->first, map->second, forward, back, gk);
    s += row;
  }
  f["dhdn_worst"] = worst;
  f["dhdn_gk_min"] = best_gk;
  f["dhdn_gk_max"] = worst_gk;
  char tail[400];
  std::snprintf(tail, sizeof tail,
                "\nWorst difference: %.2f m (%s). The Helmert parameters are one fit for the "
                "whole country; the grid also follows the local distortions of the old survey, "
                "which no seven parameters can.\n\n",
                worst, worst_place.c_str());
  return s + tail;
}

}  // namespace orbelin::accuracy
