// CP and CBP: the recorded traces byte for byte, the edge cases, and the
// bounds on both iterations.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "base/text_sink.h"
#include "geodesy/geodesic_direct.h"
#include "geodesy/geodesic_inverse.h"
#include "traced.h"

namespace orbelin {
namespace {

TEST(CalcProjectionTest, RecordedTraceAndResult) {
  InverseResult r;
  const std::string trace =
      Traced([&](TextSink* t) { r = CalcProjection(kWgs84, 50, 8, 51, 9, t); });
  EXPECT_EQ(trace,
            "--> CalcProjection\n"
            "50.00000 8.00000 51.00000 9.00000\n"
            "0.017453 1.017453\n"
            "eps 1.000000000000000\n"
            "1\neps 0.000023743023321\n"
            "2\neps 0.000000032297463\n"
            "3\neps 0.000000000043934\n"
            "4\neps 0.000000000000060\n"
            "5\neps 0.000000000000000\n"
            "131935.96278 32.14539 212.91706\n"
            "<-- CalcProjection\n");
  EXPECT_NEAR(r.distance, 131935.96278, 5e-6);
  EXPECT_NEAR(r.azimuth, 32.14539, 5e-6);
  EXPECT_NEAR(r.back_azimuth, 212.91706, 5e-6);
  EXPECT_EQ(r.steps, 5);
  EXPECT_TRUE(r.converged);
}

TEST(CalcProjectionTest, EdgeCases) {
  const struct {
    double lat1, lon1, lat2, lon2;
    double distance, tolerance, azimuth, back_azimuth;
  } cases[] = {
      {50, 8, 50, 8.0000001, 0.0072, 5e-5, 90, 270},
      {90, 0, -90, 0, 20003931.459, 5e-4, 0, 180},  // one step
      {0, 0, 0, 90, 10018754.171, 1e-3, 90, 270},   // along the equator
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lat2);
    const InverseResult r = CalcProjection(kWgs84, c.lat1, c.lon1, c.lat2, c.lon2, nullptr);
    EXPECT_NEAR(r.distance, c.distance, c.tolerance);
    EXPECT_NEAR(r.azimuth, c.azimuth, 1.0);
    EXPECT_NEAR(r.back_azimuth, c.back_azimuth, 1.0);
    EXPECT_TRUE(r.converged);
  }
  EXPECT_EQ(CalcProjection(kWgs84, 90, 0, -90, 0, nullptr).steps, 1);
  // Cape Town to London: DISTVINCENTY's recorded 9631973.173, to the millimetre.
  EXPECT_NEAR(CalcProjection(kWgs84, -33.9, 18.4, 51.5, -0.1, nullptr).distance, 9631973.173, 1e-3);
  EXPECT_NEAR(CalcProjection(kWgs84, 50, 8, 50, 8.0000001, nullptr).azimuth, 90, 1e-6);
}

TEST(CalcProjectionTest, IdenticalPointsAreZeroApart) {
  for (double lat : {50.0, 0.0, -89.0, 90.0}) {
    InverseResult r;
    const std::string trace =
        Traced([&](TextSink* t) { r = CalcProjection(kWgs84, lat, 8, lat, 8, t); });
    EXPECT_EQ(r.distance, 0.0) << lat;
    EXPECT_EQ(r.azimuth, 0.0);
    EXPECT_EQ(r.back_azimuth, 180.0);
    EXPECT_TRUE(r.converged);
    EXPECT_NE(trace.find("0.00000 0.00000 180.00000\n<-- CalcProjection\n"), std::string::npos);
  }
}

TEST(CalcProjectionTest, NearlyAntipodalPairsGiveNaNButKeepTheTrace) {
  const struct {
    double lat1, lon1, lat2, lon2;
  } pairs[] = {{0, 0, 0, 180}, {0, 0, 0.5, 179.5}, {0, 0, 0, 179.7}, {-33, 151, 33, -29}};
  for (const auto& p : pairs) {
    SCOPED_TRACE(p.lon2);
    InverseResult r;
    const std::string trace =
        Traced([&](TextSink* t) { r = CalcProjection(kWgs84, p.lat1, p.lon1, p.lat2, p.lon2, t); });
    EXPECT_TRUE(std::isnan(r.distance));
    EXPECT_TRUE(std::isnan(r.azimuth));
    EXPECT_FALSE(r.converged);
    EXPECT_EQ(r.steps, 99);
    // The trace shows all 99 steps and the values the last one gave.
    EXPECT_NE(trace.find("\n99\neps "), std::string::npos);
    EXPECT_EQ(trace.find("\n100\n"), std::string::npos);
    EXPECT_EQ(trace.find("nan"), std::string::npos);
  }
  // Just off the antipode the iteration still converges and is kept.
  const InverseResult r = CalcProjection(kWgs84, 0, 0, 0, 179, nullptr);
  EXPECT_TRUE(r.converged);
  EXPECT_NEAR(r.distance, 19926188.852, 1e-3);
}

TEST(CalcProjectionTest, NoStepAtAllGivesNaN) {
  for (double lon2 : {kNaN, 1e20}) {  // 1e20 degrees: X + 1 == X
    InverseResult r;
    const std::string trace =
        Traced([&](TextSink* t) { r = CalcProjection(kWgs84, 0, 0, 0, lon2, t); });
    EXPECT_EQ(r.steps, 0) << lon2;
    EXPECT_TRUE(std::isnan(r.distance));
    EXPECT_TRUE(std::isnan(r.azimuth));
    EXPECT_FALSE(r.converged);
    EXPECT_NE(trace.find("<-- CalcProjection\n"), std::string::npos);
  }
}

TEST(CalcBackProjectionTest, RecordedTraceAndResult) {
  DirectResult r;
  const std::string trace = Traced([&](TextSink* t) {
    r = CalcBackProjection(kWgs84, 50, 8, 32.14539363728237, 131935.96278052218, t);
  });
  EXPECT_EQ(trace,
            "--> CalcBackProjection\n"
            "50.00000 8.00000 32.14539 131936.0\n"
            "0.53207 0.84670\n"
            "0.000010628010\n"
            "0.000000005756\n"
            "0.000000000003\n"
            "0.000000000000\n"
            "<-- CalcBackProjection\n");
  EXPECT_NEAR(r.lat, 51, 5e-7);
  EXPECT_NEAR(r.lon, 9, 5e-7);
  EXPECT_EQ(r.steps, 4);
}

TEST(CalcBackProjectionTest, EdgeCases) {
  DirectResult r = CalcBackProjection(kWgs84, 50, 8, 90, 1000, nullptr);
  EXPECT_NEAR(r.lat, 49.999999162, 5e-10);
  EXPECT_NEAR(r.lon, 8.013947827, 5e-10);
  EXPECT_NEAR(r.back_azimuth, 270.0107, 5e-5);

  r = CalcBackProjection(kWgs84, 50, 8, 123, 0, nullptr);
  EXPECT_NEAR(r.lat, 50, 1e-12);
  EXPECT_NEAR(r.lon, 8, 1e-12);

  // Eastwards over the antimeridian: 10 km at the equator is 0.0898 degrees.
  r = CalcBackProjection(kWgs84, 0, 179.99, 90, 10000, nullptr);
  EXPECT_NEAR(r.lon, -179.920168, 1e-6);
  EXPECT_NEAR(r.lat, 0, 1e-9);
}

TEST(CalcBackProjectionTest, LongitudeAlwaysInMinus180To180) {
  for (double az = 0; az < 360; az += 15) {
    for (double dist : {1e3, 5e6, 1.5e7, 3e7}) {
      const DirectResult r = CalcBackProjection(kWgs84, -40, 170, az, dist, nullptr);
      // -180 itself may come out a unit in the last place below.
      EXPECT_GE(r.lon, -180 - 1e-12) << az << " " << dist;
      EXPECT_LT(r.lon, 180) << az << " " << dist;
      EXPECT_GE(r.back_azimuth, 0);
      EXPECT_LT(r.back_azimuth, 360);
    }
  }
}

TEST(CalcBackProjectionTest, IterationIsBounded) {
  const struct {
    double lat, azimuth, distance;
  } cases[] = {{kNaN, 90, 1000},
               {50, kNaN, 1000},
               {50, 90, kNaN},
               {50, 90, std::numeric_limits<double>::infinity()}};
  for (const auto& c : cases) {
    const DirectResult r = CalcBackProjection(kWgs84, c.lat, 8, c.azimuth, c.distance, nullptr);
    EXPECT_EQ(r.steps, 99);
    EXPECT_FALSE(r.converged);
    EXPECT_TRUE(std::isnan(r.lat));
    EXPECT_TRUE(std::isnan(r.lon));
  }
  // Far beyond any real distance: ends, with finite values.
  for (double d : {4e8, 4e9, 1e20}) {
    const DirectResult r = CalcBackProjection(kWgs84, 50, 8, 90, d, nullptr);
    EXPECT_LE(r.steps, 99);
    EXPECT_TRUE(std::isfinite(r.lat) && std::isfinite(r.lon)) << d;
  }
}

TEST(GeodesicTest, InverseAndDirectAreEachOthersInverse) {
  for (double lat1 = -75; lat1 <= 75; lat1 += 25) {
    for (double lat2 = -80; lat2 <= 80; lat2 += 32) {
      for (double dlon : {0.001, 0.7, 13.0, 95.0, 170.0}) {
        const InverseResult inv = CalcProjection(kWgs84, lat1, 10, lat2, 10 + dlon, nullptr);
        ASSERT_TRUE(inv.converged) << lat1 << " " << lat2 << " " << dlon;
        const DirectResult dir =
            CalcBackProjection(kWgs84, lat1, 10, inv.azimuth, inv.distance, nullptr);
        EXPECT_NEAR(dir.lat, lat2, 1e-9) << lat1 << " " << lat2 << " " << dlon;
        const double dl = std::remainder(dir.lon - (10 + dlon), 360.0);
        EXPECT_NEAR(dl, 0, 1e-9) << lat1 << " " << lat2 << " " << dlon;
        EXPECT_NEAR(dir.back_azimuth, inv.back_azimuth, 1e-7);
      }
    }
  }
}

}  // namespace
}  // namespace orbelin
