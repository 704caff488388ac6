// GPS2MGRS, WMGRS and MGRS2GPS against GeographicLib's UTMUPS and MGRS
// classes, the library behind GeoConvert: the text at every precision, the
// numbers, and the middle of each square on the way back, at 10,000 points
// (random ones and ones on the zone, band and cap edges) and at places on
// the edges of the Norway and Svalbard zones.
#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "geodesy/mgrs.h"
#include "sections.h"

namespace orbelin::accuracy {

namespace {

using GeographicLib::MGRS;
using GeographicLib::UTMUPS;

std::string Compact(std::string s) {
  std::erase(s, ' ');
  return s;
}

std::string Reference(double lat, double lon, int digits) {
  int zone = 0;
  bool northp = false;
  double x = 0, y = 0;
  UTMUPS::Forward(lat, lon, zone, northp, x, y);
  std::string text;
  MGRS::Forward(zone, northp, x, y, lat, digits, text);
  return text;
}

struct Place {
  const char* name;
  double lat, lon;
};

// The places where the zones are not the plain six degrees, and the caps.
constexpr Place kPlaces[] = {
    {"Bergen", 60.3913, 5.3221},        {"Stavanger", 58.9700, 5.7331},
    {"Ålesund", 62.4722, 6.1549},       {"Trondheim", 63.4305, 10.3951},
    {"Longyearbyen", 78.2232, 15.6267}, {"Ny-Ålesund", 78.9236, 11.9300},
    {"Barentsburg", 78.0648, 14.2334},  {"Kvitøya", 80.1300, 32.5500},
    {"North Cape", 71.1725, 25.7844},   {"Alert", 82.5018, -62.3481},
    {"north of 84 N", 84.5, 20.0},      {"South Pole", -90, 0},
    {"McMurdo", -77.8460, 166.6760},    {"Amundsen Sea (UPS)", -80.5, -110.0},
};

}  // namespace

std::string MgrsSection(Figures& f) {
  std::string s =
      "## MGRS: GPS2MGRS, WMGRS and MGRS2GPS against GeographicLib\n\n"
      "The reference is GeographicLib (UTMUPS and MGRS, the classes behind `GeoConvert -m`), "
      "whose projections are exact to a few nanometres. MGRS cuts the easting and northing to "
      "the precision, so the text is defined to the last digit: the goal is the identical "
      "text. 10,000 points: 1,000 random ones in southern Norway and on Svalbard, ones on and "
      "next to (1e-7 degrees) every zone, band and cap edge, and random ones over the whole "
      "globe, each at the six precisions (100 km to 1 m).\n\n";
  std::vector<double> lats, lons;
  std::mt19937_64 rng(28);
  std::uniform_real_distribution<double> any_lat(-90, 90), any_lon(-180, 180);
  std::uniform_real_distribution<double> norway_lat(55.5, 64.5), norway_lon(2, 13);
  std::uniform_real_distribution<double> svalbard_lat(71.5, 84.5), svalbard_lon(-1, 43);
  for (double lat : {-90.0, -80.0, -72.0, 0.0, 56.0, 64.0, 72.0, 84.0, 90.0}) {
    for (double lon : {-180.0, -6.0, 0.0, 3.0, 6.0, 9.0, 12.0, 21.0, 33.0, 42.0}) {
      for (double d : {-1e-7, 0.0, 1e-7}) {
        lats.push_back(std::clamp(lat + d, -90.0, 90.0));
        lons.push_back(lon + d);
      }
    }
  }
  for (int i = 0; i < 500; ++i) {
    lats.push_back(norway_lat(rng));
    lons.push_back(norway_lon(rng));
    lats.push_back(svalbard_lat(rng));
    lons.push_back(svalbard_lon(rng));
  }
  while (lats.size() < 10000) {
    lats.push_back(any_lat(rng));
    lons.push_back(any_lon(rng));
  }
  int disagreements = 0;
  double worst_numbers = 0, worst_back = 0;
  for (size_t i = 0; i < lats.size(); ++i) {
    const MgrsPosition p = GeoToMgrs(lats[i], lons[i]);
    int zone = 0;
    bool northp = false;
    double x = 0, y = 0;
    UTMUPS::Forward(lats[i], lons[i], zone, northp, x, y);
    worst_numbers = std::max(worst_numbers, std::hypot(p.easting - x, p.northing - y));
    for (int digits = 0; digits <= 5; ++digits) {
      const std::string ours = MgrsText(p, digits, nullptr);
      const std::string ref = Reference(lats[i], lons[i], digits);
      if (Compact(ours) != ref) ++disagreements;
      if (digits % 2 == 1) {
        // The way back: the middle of the square, as a distance on the grid.
        const MgrsReading r = ReadMgrs(ours);
        int rzone = 0, rprec = 0;
        bool rnorth = false;
        double rx = 0, ry = 0, rlat = 0, rlon = 0;
        MGRS::Reverse(ref, rzone, rnorth, rx, ry, rprec, true);
        UTMUPS::Reverse(rzone, rnorth, rx, ry, rlat, rlon);
        const double north = (r.centre.lat - rlat) * 111000;
        const double east =
            std::remainder(r.centre.lon - rlon, 360.0) * 111000 * std::cos(rlat * M_PI / 180);
        worst_back = std::max(worst_back, std::hypot(north, east));
      }
    }
  }
  f["mgrs_points"] = static_cast<double>(lats.size());
  f["mgrs_disagreements"] = disagreements;
  f["mgrs_numbers_nm"] = worst_numbers * 1e9;
  f["mgrs_back_nm"] = worst_back * 1e9;
  char line[400];
  std::snprintf(line, sizeof line,
                "Texts that differ: %d of %zu (points times precisions). Easting and northing "
                "(GPS2MGRS): at most %.2g nm from GeographicLib's. The middle of the square "
                "(MGRS2GPS, at 1, 3 and 5 digits): at most %.2g nm from GeographicLib's.\n\n",
                disagreements, lats.size() * 6, worst_numbers * 1e9, worst_back * 1e9);
  s += line;
  s += "At the edges of the wide zones of Norway and Svalbard and in the polar caps:\n\n"
       "| place | position | GPS2MGRS, WMGRS | GeographicLib | same |\n|---|---|---|---|---|\n";
  for (const Place& p : kPlaces) {
    const std::string ours = MgrsText(GeoToMgrs(p.lat, p.lon), 5, nullptr);
    const std::string ref = Reference(p.lat, p.lon, 5);
    std::snprintf(line, sizeof line, "| %s | %.4f, %.4f | %s | %s | %s |\n", p.name, p.lat, p.lon,
                  ours.c_str(), ref.c_str(), Compact(ours) == ref ? "yes" : "**no**");
    s += line;
  }
  return s + "\n";
}

}  // namespace orbelin::accuracy
