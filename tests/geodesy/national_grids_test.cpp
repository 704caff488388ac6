// The national grids against PROJ's cs2cs: pinned values at a few places
// (PROJ 9.1.1), so that machines without cs2cs check them too, and where
// cs2cs is installed a net of points across each country, both ways.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "cs2cs.h"
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
      EXPECT_LT(std::hypot(p.x - e, p.y - n), 0.01) << g.name << " " << net[i].first << " "
                                                    << net[i].second;
      const GeoPoint back = g.inverse(e, n);
      EXPECT_LT(MetresApart(back.lat, back.lon, net[i].first, net[i].second), 0.01)
          << g.name << " " << net[i].first << " " << net[i].second;
    }
  }
}

}  // namespace
}  // namespace orbelin
