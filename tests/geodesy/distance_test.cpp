// DISTVINCENTY and the plane UTM functions: the system's recorded results
// and the inputs that used to have no defined answer.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/plane_utm.h"
#include "geodesy/vincenty_distance.h"

namespace orbelin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(DistVincentyTest, RecordedResults) {
  const struct {
    double lat1, lon1, lat2, lon2, expected;
  } cases[] = {
      {50, 8, 50, 8, 0},
      {0, 0, 0, 90, 10018754.171},
      {90, 0, -90, 0, 20003931.458},
      {0, 0, 0, 180, -1},
      {0, 0, 0.5, 179.5, -1},
      {50, 8, 51, 9, 131935.962},
      {50, 8, 50, 8.0000001, 0.007},
      {-33.9, 18.4, 51.5, -0.1, 9631973.173},
  };
  for (const auto& c : cases) {
    // Cut to whole millimetres, so the three decimals are exact up to rounding.
    EXPECT_NEAR(DistVincenty(kWgs84Vincenty, c.lat1, c.lon1, c.lat2, c.lon2), c.expected, 1e-7)
        << c.lat2 << " " << c.lon2;
  }
}

TEST(DistVincentyTest, FullTurnOfLongitudeStillMakesAStep) {
  // 360 degrees apart is the same meridian: the distance along it.
  EXPECT_NEAR(DistVincenty(kWgs84Vincenty, 50, 8, 51, 368),
              DistVincenty(kWgs84Vincenty, 50, 8, 51, 8), 1e-3);
  EXPECT_NEAR(DistVincenty(kWgs84Vincenty, 51, 368, 50, 8),
              DistVincenty(kWgs84Vincenty, 51, 8, 50, 8), 1e-3);
  EXPECT_NEAR(DistVincenty(kWgs84Vincenty, 10, 0, 10, -360), 0, 1e-3);
}

TEST(DistVincentyTest, NotANumberDoesNotConverge) {
  EXPECT_EQ(DistVincenty(kWgs84Vincenty, kNaN, 8, 50, 9), -1);
  EXPECT_EQ(DistVincenty(kWgs84Vincenty, 50, 8, 50, kNaN), -1);
}

TEST(PlaneUtmTest, RecordedResults) {
  EXPECT_NEAR(DistUtm(kWgs84, 50, 8, 51, 9), 131885.962, 5e-4);
  EXPECT_NEAR(BearingUtm(kWgs84, 50, 8, 51, 9), 32.915194, 5e-7);
  EXPECT_NEAR(BearingUtm(kWgs84, 50, 8, 50.01, 8), 0.766133, 5e-7);
  EXPECT_NEAR(BearingUtm(kWgs84, 50, 8, 50, 7.99), 270.769908, 5e-7);
  EXPECT_NEAR(PlaneProject(kWgs84, 50, 8, 0, 1000).lat, 50.0089927, 5e-8);
  EXPECT_NEAR(PlaneProject(kWgs84, 50, 8, 0, 1000).lon, 7.9998134, 5e-8);
  EXPECT_NEAR(PlaneProject(kWgs84, 50, 8, 90, 1000).lon, 8.0139513, 5e-8);
  EXPECT_NEAR(PlaneProject(kWgs84, 50, 8, 45, 10000).lat, 50.0643976, 5e-8);
}

TEST(PlaneUtmTest, EdgeCases) {
  EXPECT_EQ(BearingUtm(kWgs84, 50, 8, 50, 8), 90);
  EXPECT_EQ(DistUtm(kWgs84, 50, 8, 50, 8), 0);
  // Each point in its own zone: the pair 143 m apart reads 430 km west.
  EXPECT_NEAR(DistUtm(kWgs84, 50, 5.999, 50, 6.001), 429825, 0.5);
  EXPECT_NEAR(BearingUtm(kWgs84, 50, 5.999, 50, 6.001), 270, 1e-3);
  // Over the equator both ways, with the start's band.
  EXPECT_NEAR(PlaneProject(kWgs84, 0.001, 3, 180, 1000).lat, -0.0080473, 5e-8);
  EXPECT_NEAR(PlaneProject(kWgs84, -0.001, 3, 0, 1000).lat, 0.0080473, 5e-8);
  EXPECT_NEAR(PlaneProject(kWgs84, 50.3, 8.2, 77, 0).lat, 50.3, 1e-8);
  EXPECT_NEAR(PlaneProject(kWgs84, 50.3, 8.2, 77, 0).lon, 8.2, 1e-8);
  // A negative distance moves against the bearing.
  const GeoPoint back = PlaneProject(kWgs84, 50, 8, 180, -1000);
  EXPECT_NEAR(back.lat, 50.0089927, 5e-8);
  EXPECT_NEAR(back.lon, 7.9998134, 5e-8);
}

TEST(PlaneUtmTest, ProjectionInvertsBearingAndDistance) {
  // Within a degree of the central meridian (9 E), where the series are good.
  const double lat = 48.1, lon = 9.4;
  for (double lat2 : {47.7, 48.1, 48.35}) {
    for (double lon2 : {8.1, 9.0, 9.9}) {
      const GeoPoint p = PlaneProject(kWgs84, lat, lon, BearingUtm(kWgs84, lat, lon, lat2, lon2),
                                      DistUtm(kWgs84, lat, lon, lat2, lon2));
      EXPECT_NEAR(p.lat, lat2, 1e-7) << lat2 << " " << lon2;
      EXPECT_NEAR(p.lon, lon2, 1e-7) << lat2 << " " << lon2;
    }
  }
}

TEST(PlaneUtmTest, BearingIsDefinedForEveryInput) {
  for (double bad : {kNaN, kInf, -kInf}) {
    EXPECT_TRUE(std::isnan(BearingUtm(kWgs84, bad, 8, 50, 8))) << bad;
    EXPECT_TRUE(std::isnan(BearingUtm(kWgs84, 50, 8, 50, bad))) << bad;
  }
  for (double lon2 = 7.5; lon2 < 8.5; lon2 += 0.05) {
    for (double lat2 = 49.5; lat2 < 50.5; lat2 += 0.1) {
      const double b = BearingUtm(kWgs84, 50, 8, lat2, lon2);
      EXPECT_GE(b, 0);
      EXPECT_LT(b, 360);
    }
  }
}

}  // namespace
}  // namespace orbelin
