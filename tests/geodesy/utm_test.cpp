// UTM conversion both ways: the worked examples, zone and band borders, the
// hemispheres and the northing limit, a round trip over the globe.
#include "geodesy/utm.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace orbelin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

UtmPosition Forward(double lat, double lon) {
  return Geo2Utm(kWgs84, lat, lon);
}

struct ForwardCase {
  double lat, lon;
  int zone;
  char band;
  double easting, northing;  // to the millimetre
};

TEST(Geo2UtmTest, WorkedExamples) {
  const ForwardCase cases[] = {
      {50, 8, 32, 'U', 428333.552, 5539109.815},
      {47.123456, 11.654321, 32, 'T', 701325.759, 5222302.080},
      {-33.9, 18.4, 34, 'H', 259583.210, 6245888.046},  // south: false northing
  };
  for (const ForwardCase& c : cases) {
    SCOPED_TRACE(c.lat);
    const UtmPosition u = Forward(c.lat, c.lon);
    EXPECT_EQ(u.zone, c.zone);
    EXPECT_EQ(u.band, c.band);
    EXPECT_NEAR(u.easting, c.easting, 0.0005);
    EXPECT_NEAR(u.northing, c.northing, 0.0005);
  }
}

TEST(Geo2UtmTest, ZoneFollowsTheLongitudeAloneWithItsBorders) {
  const struct {
    double lon;
    int zone;
  } cases[] = {
      {0, 30},  // the meridian belongs to the zone west of it
      {6, 32},  // positive borders belong to the zone east of them
      {5.999, 31}, {-6, 29},         {-180, 0},         {180, 61}, {5, 31},  // no Norway exception
      {kNaN, 0},   {1e300, INT_MAX}, {-1e300, INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(Forward(60, c.lon).zone, c.zone) << c.lon;
}

TEST(Geo2UtmTest, BandsAndTheirBorders) {
  const struct {
    double lat;
    char band;
  } cases[] = {
      {-80, 'C'},       {-80.000001, '*'}, {-72.000001, 'C'}, {-72, 'D'},
      {0, 'N'},         {-0.000001, 'M'},  {71.999999, 'W'},  {72, 'X'},
      {83.999999, 'X'}, {84, '*'},         {90, '*'},         {kNaN, '*'},
  };
  for (const auto& c : cases) EXPECT_EQ(Forward(c.lat, 8).band, c.band) << c.lat;
}

TEST(Geo2UtmTest, PolarPointsAreStillComputed) {
  const UtmPosition u = Forward(85, 8);
  EXPECT_EQ(u.band, '*');
  EXPECT_GT(u.northing, 9000000);
  EXPECT_TRUE(std::isfinite(u.easting));
}

TEST(Geo2UtmTest, NorthingNearTheEquator) {
  EXPECT_EQ(Forward(0, 9).northing, 0.0);
  // 0.11 m south of the equator would be 9999999.89: capped, never 10000000.
  EXPECT_EQ(Forward(-0.000001, 9).northing, UtmMaxNorthing);
  // 0.0001 degrees of meridian at the equator is a (1 - e2) times the angle.
  const double arc = 6378137.0 * (1 - 0.006694379990141316) * (0.0001 * std::acos(-1.0) / 180);
  EXPECT_NEAR(Forward(-0.0001, 9).northing, 10000000 - arc * 0.9996, 0.001);
}

TEST(Utm2GeoTest, WorkedExampleAndSouthernBands) {
  const GeoPoint g = Utm2Geo(kWgs84, 32, 'U', 428333.552, 5539109.815);
  EXPECT_NEAR(g.lat, 50, 5e-7);
  EXPECT_NEAR(g.lon, 8, 5e-7);
  // 2.6 degrees off the central meridian the series agree to about 1e-6.
  const GeoPoint s = Utm2Geo(kWgs84, 34, 'H', 259583.210, 6245888.046);
  EXPECT_NEAR(s.lat, -33.9, 1e-6);
  EXPECT_NEAR(s.lon, 18.4, 1e-6);
  // Small letters count as their capitals; N..X and '*' are northern.
  for (signed char band : {'C', 'c', 'M', 'm', 'H'}) {
    EXPECT_NEAR(Utm2Geo(kWgs84, 34, band, 259583.210, 6245888.046).lat, -33.9, 1e-6) << band;
  }
  for (signed char band : {'N', 'n', 'X', '*', 'B', 'Y'}) {
    EXPECT_GT(Utm2Geo(kWgs84, 34, band, 259583.210, 6245888.046).lat, 0) << band;
  }
}

TEST(UtmRoundTripTest, ReturnsTheStartOverTheGlobe) {
  // The truncated series lose accuracy away from the central meridian.
  const struct { double max_offset, tolerance; } limits[] = {{1, 3e-8}, {3, 6e-6}};
  int points = 0;
  for (double lat = -80; lat < 84; lat += 0.75) {
    for (double lon = -180; lon < 180; lon += 0.35) {
      const UtmPosition u = Forward(lat, lon);
      const double offset = std::fabs(lon - (6.0 * u.zone - 183));
      const GeoPoint g = Utm2Geo(kWgs84, u.zone, u.band, u.easting, u.northing);
      for (const auto& l : limits) {
        if (offset > l.max_offset) continue;
        ASSERT_NEAR(g.lat, lat, l.tolerance) << lat << " " << lon;
        ASSERT_NEAR(g.lon, lon, l.tolerance) << lat << " " << lon;
        ++points;
      }
    }
  }
  EXPECT_GT(points, 20000);
}

TEST(UtmRoundTripTest, BelowEightySouthTheStarBandKeepsTheFalseNorthing) {
  const UtmPosition u = Forward(-80.5, 8);
  ASSERT_EQ(u.band, '*');
  EXPECT_GT(u.northing, 1000000);  // false northing included
  // '*' counts as northern, so the false northing is not removed again.
  EXPECT_GT(Utm2Geo(kWgs84, u.zone, u.band, u.easting, u.northing).lat, 0);
}

// The zones maps use where the grid widened them, at the borders of the
// areas: south-west Norway all in 32 (V), Svalbard in 31, 33, 35 and 37 (X).
TEST(MapUtmZoneTest, NorwayAndSvalbard) {
  const struct {
    double lat, lon;
    int zone;
  } cases[] = {
      {60, 5, 32},    {56, 3, 32},     {63.99, 11.99, 32}, {64, 5, 31},     {55.99, 5, 31},
      {60, 2.99, 31}, {60, 12, 33},    {78, 8.99, 31},     {78, 9, 33},     {78, 20.99, 33},
      {78, 21, 35},   {78, 32.99, 35}, {78, 33, 37},       {72, 41.99, 37}, {78, 42, 38},
      {84, 8, 32},    {71.99, 8, 32},  {78, -0.5, 30},     {50, 8, 32},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MapUtmZone(c.lat, c.lon), c.zone) << c.lat << " " << c.lon;
  }
}

}  // namespace
}  // namespace orbelin
