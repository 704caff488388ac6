// GPS2UTM/UTM2GPS against GeographicLib's exact transverse Mercator on WGS 84
// (k0 = 0.9996), GPS2GK/GK2GPS against the same on the Bessel ellipsoid
// (k0 = 1) in 3-degree strips; both references are good to a few nanometres
// within the offsets measured here.
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "geodesy/gauss_krueger.h"
#include "geodesy/utm.h"
#include "sections.h"
#include "stats.h"

namespace orbelin::accuracy {

namespace {

using GeographicLib::Geodesic;
using GeographicLib::TransverseMercator;

constexpr double kBesselA = 6377397.155;
constexpr double kBesselF = 1 / 299.1528128;

int Bin(const std::vector<double>& edges, double x) {
  for (size_t i = 0; i + 1 < edges.size(); ++i) {
    if (x < edges[i + 1]) return static_cast<int>(i);
  }
  return static_cast<int>(edges.size()) - 2;
}

const std::vector<double> kOffsetEdges = {0, 0.5, 1, 1.5, 2, 3, 4.5, 6.01};
const std::vector<std::string> kOffsetLabels = {"0 - 0.5", "0.5 - 1", "1 - 1.5", "1.5 - 2",
                                                "2 - 3",   "3 - 4.5", "4.5 - 6"};

std::string Utm(Figures& f) {
  const TransverseMercator& tm = TransverseMercator::UTM();
  const Geodesic& wgs = Geodesic::WGS84();
  std::vector<ErrorStats> fwd(kOffsetLabels.size()), inv(kOffsetLabels.size());
  int n = 0;
  for (double lat = -80; lat <= 84; lat += 0.5) {
    for (double off = -6; off <= 6; off += 0.05) {
      const int zone = 1 + (n++ * 7) % 60;
      const double cm = 6.0 * zone - 183;
      const double lon = cm + off;
      double x, y;
      tm.Forward(cm, lat, lon, x, y);
      const double easting = x + 500000;
      const double northing = y + (lat < 0 ? 10000000 : 0);
      const int b = Bin(kOffsetEdges, std::fabs(off));
      // Forward only inside the zone: Geo2Utm always picks the zone itself.
      if (std::fabs(off) < 3) {
        const UtmPosition u = Geo2Utm(kWgs84, lat, lon);
        if (u.zone == zone)
          fwd[b].Add(std::hypot(u.easting - easting, u.northing - northing) * 1000);
      }
      const signed char band = lat < 0 ? 'C' : 'N';
      const GeoPoint g = Utm2Geo(orbelin::kWgs84, zone, band, easting, northing);
      double miss;
      wgs.Inverse(lat, lon, g.lat, g.lon, miss);
      inv[b].Add(miss * 1000);
    }
  }
  f["utm_fwd_1"] = std::max(fwd[0].Max(), fwd[1].Max());
  f["utm_fwd_2"] = std::max(fwd[2].Max(), fwd[3].Max());
  f["utm_fwd_3"] = fwd[4].Max();
  f["utm_inv_1"] = std::max(inv[0].Max(), inv[1].Max());
  f["utm_inv_2"] = std::max(inv[2].Max(), inv[3].Max());
  f["utm_inv_3"] = inv[4].Max();
  f["utm_inv_6"] = inv[6].Max();
  return "### GPS2UTM and UTM2GPS by distance from the central meridian\n\n"
         "Latitudes 80 S to 84 N every 0.5 degrees, longitudes every 0.05 degrees off the "
         "central meridian of a zone. GPS2UTM: the distance between its easting/northing and "
         "the exact ones; it always takes the zone of the longitude, so it is only measured up "
         "to 3 degrees. UTM2GPS: the distance between the point it returns for the exact "
         "easting/northing and the true point, also for eastings beyond the zone (as "
         "PROJUTMLAT/PROJUTMLON produce them). At 50 degrees latitude 1 degree of longitude is "
         "72 km, at the equator 111 km.\n\n" +
         Table("degrees off the meridian", kOffsetLabels,
               {{"GPS2UTM (mm)", fwd}, {"UTM2GPS (mm)", inv}}) +
         "\n";
}

std::string GaussKrueger(Figures& f) {
  const TransverseMercator tm(kBesselA, kBesselF, 1.0);
  const Geodesic bessel(kBesselA, kBesselF);
  std::vector<ErrorStats> fwd(kOffsetLabels.size()), inv(kOffsetLabels.size());
  std::vector<ErrorStats> fwd_de(kOffsetLabels.size()), inv_de(kOffsetLabels.size());
  int n = 0;
  int outside = 0;
  for (double lat = -80; lat <= 84; lat += 0.5) {
    for (double off = -6; off <= 6; off += 0.05) {
      const int k = (n++ * 7) % 120 - 60;
      const double cm = 3.0 * k;
      const double lon = cm + off;
      double x, y;
      tm.Forward(cm, lat, lon, x, y);
      const double r = 1000000.0 * k + 500000 + x;
      const int b = Bin(kOffsetEdges, std::fabs(off));
      if (std::fabs(x) >= 500000) {
        ++outside;  // R no longer carries the strip; see the text
        continue;
      }
      const GaussKruegerPoint p = Geo2GK(orbelin::kBessel, lat, lon, k);
      const double fe = std::hypot(p.r - r, p.h - y) * 1000;
      const GeoPoint g = GK2Geo(orbelin::kBessel, r, y, nullptr);
      double miss;
      bessel.Inverse(lat, lon, g.lat, g.lon, miss);
      fwd[b].Add(fe);
      inv[b].Add(miss * 1000);
      if (lat >= 47 && lat <= 55) {  // where Gauss-Krueger grids are in use
        fwd_de[b].Add(fe);
        inv_de[b].Add(miss * 1000);
      }
    }
  }
  f["gk_fwd_strip"] = std::max({fwd[0].Max(), fwd[1].Max(), fwd[2].Max()});
  f["gk_inv_strip"] = std::max({inv[0].Max(), inv[1].Max(), inv[2].Max()});
  f["gk_fwd_3"] = std::max(fwd[3].Max(), fwd[4].Max());
  f["gk_inv_3"] = std::max(inv[3].Max(), inv[4].Max());
  f["gk_inv_6"] = std::max(inv[5].Max(), inv[6].Max());
  return "### GPS2GK and GK2GPS by distance from the strip's central meridian\n\n"
         "Bessel ellipsoid, 3-degree strips (a strip reaches 1.5 degrees either side; the "
         "rows beyond are points converted in a neighbouring strip, as CENTER, KREUZPEILUNG "
         "and BOGENSCHNITT do with points far from the first one, or as GPS2GK does with an "
         "explicit strip). GPS2GK: distance between its R/H and the exact ones; GK2GPS: "
         "distance between its point for the exact R/H and the true point.\n\n"
         "All latitudes, 80 S to 84 N:\n\n" +
         Table("degrees off the meridian", kOffsetLabels,
               {{"GPS2GK (mm)", fwd}, {"GK2GPS (mm)", inv}}) +
         "\nLatitudes 47 N to 55 N:\n\n" +
         Table("degrees off the meridian", kOffsetLabels,
               {{"GPS2GK (mm)", fwd_de}, {"GK2GPS (mm)", inv_de}}) +
         "\n" + std::to_string(outside) +
         " further points lie 500 km or more from their strip's meridian (beyond about 4.5 "
         "degrees of longitude at the equator, 7 degrees at 50 N). There R = strip * 1000000 + "
         "500000 + y no longer carries the strip number, and GK2GPS, which reads the strip "
         "from R, converts in the neighbouring strip and answers hundreds of kilometres off. "
         "They are left out of the tables.\n\n";
}

}  // namespace

std::string GridSection(Figures& f) {
  return "## Grid conversions: UTM and Gauss-Krueger\n\n" + Utm(f) + GaussKrueger(f);
}

}  // namespace orbelin::accuracy
