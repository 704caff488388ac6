// The national grids against PROJ's cs2cs: pinned values at a few places
// (PROJ 9.1.1), so that machines without cs2cs check them too, and where
// cs2cs is installed a net of points across each country, both ways.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "cs2cs.h"
#include "geodesy/austrian_grid.h"
#include "geodesy/british_grid.h"
#include "geodesy/dutch_grid.h"
#include "geodesy/swiss_grid.h"

namespace orbelin {
namespace {

double MetresApart(double lat1, double lon1, double lat2, double lon2) {
  const double north = (lat2 - lat1) * 111200.0;
  const double east = (lon2 - lon1) * 111200.0 * std::cos(lat1 * M_PI / 180);
  return std::hypot(north, east);
}

struct Grid {
  const char* name;
  std::string crs;
  bool north_first;
  std::function<PlanePoint(double, double)> forward;
  std::function<GeoPoint(double, double)> inverse;
  double south, north, west, east;
};

std::vector<Grid> Grids() {
  return {
      {"LV95", "EPSG:2056", false, Wgs84ToLv95, Lv95ToWgs84, 45.82, 47.81, 5.96, 10.49},
      {"OSGB", "EPSG:27700", false, Wgs84ToOsgb, OsgbToWgs84, 49.9, 60.9, -7.6, 1.8},
      {"RD", "EPSG:28992", false, Wgs84ToRd, RdToWgs84, 50.75, 53.7, 3.2, 7.22},
      // Austria's grids with their shift EPSG 1618 spelt out: asked for EPSG:31258
      // itself, cs2cs takes Styria's own shift in Styria's bounding box.
      {"MGI M31",
       "'+proj=tmerc +lat_0=0 +lon_0=13.3333333333333 +k=1 +x_0=450000 +y_0=-5000000 "
       "+ellps=bessel +towgs84=577.326,90.129,463.919,5.137,1.474,5.297,2.4232 +units=m "
       "+type=crs'",
       false, [](double lat, double lon) { return Wgs84ToMgiGk(lat, lon, 31); },
       [](double y, double x) { return MgiGkToWgs84(y, x, 31); }, 46.4, 49.02, 9.53, 17.17},
      {"MGI Lambert",
       "'+proj=lcc +lat_0=47.5 +lon_0=13.3333333333333 +lat_1=49 +lat_2=46 +x_0=400000 "
       "+y_0=400000 +ellps=bessel +towgs84=577.326,90.129,463.919,5.137,1.474,5.297,2.4232 "
       "+units=m +type=crs'",
       false, Wgs84ToMgiLambert, MgiLambertToWgs84, 46.4, 49.02, 9.53, 17.17},
  };
}

// `echo LAT LON | cs2cs -f %.3f EPSG:4326 +to CRS`, east and north.
TEST(NationalGrids, PinnedAgainstCs2cs) {
  struct Case {
    std::function<PlanePoint(double, double)> forward;
    std::function<GeoPoint(double, double)> inverse;
    double lat, lon, east, north;
  } cases[] = {
      {Wgs84ToLv95, Lv95ToWgs84, 46.2044, 6.1432, 2500016.016, 1117821.070},  // Geneva
      {Wgs84ToLv95, Lv95ToWgs84, 45.8326, 9.0316, 2723782.477, 1076918.013},  // Chiasso
      {Wgs84ToOsgb, OsgbToWgs84, 50.0664, -5.7147, 134266.164, 25088.196},    // Land's End
      {Wgs84ToOsgb, OsgbToWgs84, 60.1546, -1.1494, 447323.725, 1141427.894},  // Lerwick
  };
  for (const Case& c : cases) {
    const PlanePoint p = c.forward(c.lat, c.lon);
    EXPECT_NEAR(p.x, c.east, 0.001) << c.lat << " " << c.lon;
    EXPECT_NEAR(p.y, c.north, 0.001) << c.lat << " " << c.lon;
    const GeoPoint g = c.inverse(c.east, c.north);
    EXPECT_LT(MetresApart(g.lat, g.lon, c.lat, c.lon), 0.005) << c.lat << " " << c.lon;
  }
}

// Within a centimetre of cs2cs both ways on a net of points across each
// country: the projections are exact, and the datum shifts are the same
// EPSG transformations PROJ applies.
TEST(NationalGrids, AcrossEachCountryAgainstCs2cs) {
  if (cs2cs::One("EPSG:4326", "EPSG:2056", 47, 8) == std::nullopt) {
    GTEST_SKIP() << "cs2cs is not installed (Debian: proj-bin, proj-data); tools/dev installs it";
  }
  for (const Grid& g : Grids()) {
    std::vector<cs2cs::Pair> net;
    for (double lat = g.south; lat <= g.north; lat += (g.north - g.south) / 10) {
      for (double lon = g.west; lon <= g.east; lon += (g.east - g.west) / 10) {
        net.push_back({lat, lon});
      }
    }
    const auto ref = cs2cs::Many("EPSG:4326", g.crs, net);
    ASSERT_EQ(ref.size(), net.size()) << g.name;
    for (size_t i = 0; i < net.size(); ++i) {
      ASSERT_TRUE(ref[i].has_value()) << g.name << " " << net[i].first << " " << net[i].second;
      const double e = g.north_first ? ref[i]->second : ref[i]->first;
      const double n = g.north_first ? ref[i]->first : ref[i]->second;
      const PlanePoint p = g.forward(net[i].first, net[i].second);
      EXPECT_LT(std::hypot(p.x - e, p.y - n), 0.01)
          << g.name << " " << net[i].first << " " << net[i].second;
      const GeoPoint back = g.inverse(e, n);
      EXPECT_LT(MetresApart(back.lat, back.lon, net[i].first, net[i].second), 0.01)
          << g.name << " " << net[i].first << " " << net[i].second;
    }
  }
}

}  // namespace
}  // namespace orbelin

namespace orbelin {
namespace {

// Grid references both ways; the letters as the Ordnance Survey's guide
// lays them out (SV at the false origin, HP in the north, TR in the
// south-east), the digits cut.
TEST(NationalGrids, BritishGridReferences) {
  struct Case {
    double e, n;
    int digits;
    const char* text;
  } cases[] = {
      {0, 0, 0, "SV"},
      {599999, 0, 0, "TV"},
      {699999, 0, 0, "TW"},
      {0, 1299999, 0, "HL"},
      {499999, 1299999, 0, "HP"},
      {530269.9, 179640.7, 5, "TQ 30269 79640"},
      {530269.9, 179640.7, 3, "TQ 302 796"},
      {631936, 141734, 1, "TR 3 4"},
  };
  for (const Case& c : cases) {
    std::string why;
    EXPECT_EQ(OsgbReference(c.e, c.n, c.digits, &why), c.text) << why;
  }
  std::string why;
  EXPECT_EQ(OsgbReference(-1, 5, 3, &why), "");
  EXPECT_EQ(OsgbReference(700000, 5, 3, &why), "");
  const OsgbReading r = ReadOsgbReference("tq 302 796");
  ASSERT_TRUE(r.ok) << r.why;
  EXPECT_EQ(r.east, 530200);
  EXPECT_EQ(r.north, 179600);
  EXPECT_EQ(r.size, 100);
  for (const char* bad :
       {"TI 1 2", "T 12 34", "TQ 123", "TQ 12 345", "TQ1234567890123", "ZZ 12 34", "TQ-12"}) {
    EXPECT_FALSE(ReadOsgbReference(bad).ok) << bad;
  }
}

}  // namespace
}  // namespace orbelin

namespace orbelin {
namespace {

// LV03 with the old survey's distortions against swisstopo's grid CHENYX06
// itself (cs2cs with Debian's CHENYX06_etrs.gsb), between the table's
// samples: within 0.35 m both ways, where LV95 less 2000 and 1000 km alone
// is up to 2 m off.
TEST(NationalGrids, Lv03AgainstTheOfficialGrid) {
  const std::string chenyx =
      "'+proj=somerc +lat_0=46.9524055555556 +lon_0=7.43958333333333 +k_0=1 +x_0=600000 "
      "+y_0=200000 +ellps=bessel +nadgrids=CHENYX06_etrs.gsb'";
  // Pinned: Lausanne, `echo 46.5197 6.6323 | cs2cs -f %.3f EPSG:4326 +to $LV03`.
  const PlanePoint lausanne = Wgs84ToLv03(46.5197, 6.6323);
  EXPECT_LT(std::hypot(lausanne.x - 538124.880, lausanne.y - 152362.720), 0.35);
  if (cs2cs::One("EPSG:4326", chenyx, 47, 8) == std::nullopt) {
    GTEST_SKIP() << "cs2cs with CHENYX06 is not installed (Debian: proj-bin, proj-data)";
  }
  std::vector<cs2cs::Pair> net;
  for (double lat = 45.87; lat < 47.8; lat += 0.137) {
    for (double lon = 6.03; lon < 10.45; lon += 0.173) net.push_back({lat, lon});
  }
  const auto ref = cs2cs::Many("EPSG:4326", chenyx, net);
  ASSERT_EQ(ref.size(), net.size());
  double plain_worst = 0;
  for (size_t i = 0; i < net.size(); ++i) {
    ASSERT_TRUE(ref[i].has_value());
    const PlanePoint p = Wgs84ToLv03(net[i].first, net[i].second);
    EXPECT_LT(std::hypot(p.x - ref[i]->first, p.y - ref[i]->second), 0.35)
        << net[i].first << " " << net[i].second;
    const GeoPoint g = Lv03ToWgs84(ref[i]->first, ref[i]->second);
    EXPECT_LT(MetresApart(g.lat, g.lon, net[i].first, net[i].second), 0.35)
        << net[i].first << " " << net[i].second;
    const PlanePoint plain = Wgs84ToLv95(net[i].first, net[i].second);
    plain_worst = std::max(plain_worst, std::hypot(plain.x - kLv03East - ref[i]->first,
                                                   plain.y - kLv03North - ref[i]->second));
  }
  EXPECT_GT(plain_worst, 1.0);  // the table is what brings it within the grid's reach
}

}  // namespace
}  // namespace orbelin
