// Gauss-Krueger conversion, strip numbers and degrees-and-minutes entry.
#include "geodesy/gauss_krueger.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "base/text_sink.h"

namespace orbelin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(GaussKruegerTest, RecordedPoints) {
  GaussKruegerPoint p = Geo2GK(kBessel, 50, 9, 3);
  EXPECT_EQ(p.r, 3500000.0);  // exact on the central meridian
  EXPECT_NEAR(p.h, 5540279.543, 5e-4);

  p = Geo2GK(kBessel, 52.5, 13.4, 4);
  EXPECT_NEAR(p.r, 4595060.257, 5e-4);
  EXPECT_NEAR(p.h, 5819301.807, 5e-4);
  const GeoPoint g = GK2Geo(kBessel, p.r, p.h, nullptr);
  EXPECT_NEAR(g.lat, 52.5, 1e-8);
  EXPECT_NEAR(g.lon, 13.4, 1e-8);
}

TEST(GaussKruegerTest, StripNumbers) {
  const struct {
    double lon, strip;
  } cases[] = {{9.9, 3},     {10.5, 4},  // a border belongs to the eastern strip
               {10.4999, 3}, {-2, -1},  {-1.5, 0}, {-1.5000001, -1}, {0, 0}, {180, 60}};
  for (const auto& c : cases) EXPECT_EQ(Mkz(c.lon), c.strip) << c.lon;
  EXPECT_EQ(MkzStrip(kNaN), 0);
  EXPECT_EQ(MkzStrip(1e300), INT_MAX);
  EXPECT_EQ(MkzStrip(-1e300), INT_MIN);
}

TEST(GaussKruegerTest, StripComesFromTheRechtswert) {
  // Below 1000000 is strip 0 (central meridian 0), a negative R a negative strip.
  EXPECT_EQ(GK2Geo(kBessel, 500000, 5540279.543, nullptr).lon, 0.0);
  const GeoPoint west = GK2Geo(kBessel, -500000, 5540279.543, nullptr);
  EXPECT_EQ(west.lon, -3.0);
  EXPECT_NEAR(west.lat, 50, 1e-8);
  // Beyond the int range the strip saturates and the series overflow into
  // NaN; nothing on the way is undefined (run under the sanitizer).
  EXPECT_TRUE(std::isnan(GK2Geo(kBessel, 1e300, 5540279.543, nullptr).lon));
  EXPECT_TRUE(std::isnan(GK2Geo(kBessel, kNaN, 5540279.543, nullptr).lon));
}

TEST(GaussKruegerTest, RoundTripOverTheGlobe) {
  int points = 0;
  for (double lat = -80; lat <= 84; lat += 0.5) {
    for (double lon = -180; lon < 180; lon += 0.13) {
      const int k = MkzStrip(lon);
      const GaussKruegerPoint p = Geo2GK(kBessel, lat, lon, k);
      const GeoPoint g = GK2Geo(kBessel, p.r, p.h, nullptr);
      ASSERT_NEAR(g.lat, lat, 2e-8) << lat << " " << lon;
      ASSERT_NEAR(g.lon, lon, 2e-8) << lat << " " << lon;
      ++points;
    }
  }
  EXPECT_GT(points, 900000);
}

TEST(GaussKruegerTest, TraceOfTheBackConversion) {
  StringSink out;
  GK2Geo(kBessel, 4595060.257, 5819301.807, &out);
  EXPECT_EQ(out.Take(), "--> GK2Geo\nR=4595060.3 H=5819301.8\n<-- GK2Geo\n");
}

TEST(GmmmmTest, DigitsFoldIntoDecimalDegrees) {
  EXPECT_DOUBLE_EQ(Gmmmm(50, 12, 3, 4, 5), 50.20575);
  EXPECT_DOUBLE_EQ(Gmmmm(-7, 30, 0, 0, 0), -6.5);  // minutes are added, also for negative G
  EXPECT_DOUBLE_EQ(Gmmmm(0, 0, 0, 0, 6), 0.0001);
}

}  // namespace
}  // namespace orbelin
