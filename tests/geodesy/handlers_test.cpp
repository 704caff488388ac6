// The script handlers: argument order, what lands in which variable, the
// conversions of zone, band and strip arguments, and traces only with DEBUG.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "geodesy/gauss_krueger.h"
#include "geodesy/geodesy_handlers.h"
#include "text/text_state.h"

namespace orbelin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class HandlerTest : public ::testing::Test {
 protected:
  ResultStream out_;
  Variables vars_;
  Diagnostics diagnostics_;
  HandOffPoint point_;
  TextState text_;
  Runtime rt_{out_, vars_, diagnostics_, text_, point_};

  void SetUp() override { out_.OpenMemory(); }

  // Numbers, then output variables 1, 2, ... in order.
  CallArgs Args(std::initializer_list<double> nums, int vars) {
    CallArgs a;
    int i = 0;
    for (double x : nums) a.num[i++] = x;
    for (int v = 0; v < vars; ++v) a.var[v] = v + 1;
    return a;
  }
  double Var(int v) const { return vars_.Get(v); }
};

TEST_F(HandlerTest, Gps2UtmStoresZoneBandCodeEastingNorthing) {
  HandleGps2Utm(rt_, Args({50, 8}, 4));
  EXPECT_EQ(Var(1), 32);
  EXPECT_EQ(Var(2), 85);  // U
  EXPECT_NEAR(Var(3), 428333.552, 5e-4);
  EXPECT_NEAR(Var(4), 5539109.815, 5e-4);
  HandleGps2Utm(rt_, Args({85, 8}, 4));
  EXPECT_EQ(Var(2), 42);  // '*'
  EXPECT_EQ(out_.Close(), "");
}

TEST_F(HandlerTest, Utm2GpsFloorsZoneAndBand) {
  const struct {
    double zone, band;
  } cases[] = {{32, 85}, {32.7, 85.9}, {32, 85 + 256}};  // low eight bits of the band
  for (const auto& c : cases) {
    HandleUtm2Gps(rt_, Args({c.zone, c.band, 428333.552, 5539109.815}, 2));
    EXPECT_NEAR(Var(1), 50, 5e-7) << c.zone << " " << c.band;
    EXPECT_NEAR(Var(2), 8, 5e-7);
  }
  HandleUtm2Gps(rt_, Args({34, 99, 259583.210, 6245888.046}, 2));  // 'c' is southern
  EXPECT_NEAR(Var(1), -33.9, 1e-6);
  HandleUtm2Gps(rt_, Args({kNaN, kNaN, 500000, 0}, 2));  // zone 0, band 0: defined
  EXPECT_NEAR(Var(2), -183, 1e-9);
}

TEST_F(HandlerTest, CpStoresDistanceAndAzimuthOrNaN) {
  HandleCp(rt_, Args({50, 8, 51, 9}, 2));
  EXPECT_NEAR(Var(1), 131935.96278, 5e-6);
  EXPECT_NEAR(Var(2), 32.14539, 5e-6);
  HandleCp(rt_, Args({0, 0, 0, 180}, 2));
  EXPECT_TRUE(std::isnan(Var(1)));
  EXPECT_TRUE(std::isnan(Var(2)));
  HandleCp(rt_, Args({50, 8, 50, 8}, 2));
  EXPECT_EQ(Var(1), 0);
  EXPECT_EQ(Var(2), 0);
  EXPECT_EQ(out_.Close(), "");  // DEBUG off: no trace
}

TEST_F(HandlerTest, TracesOnlyWithDebug) {
  rt_.debug = -1;  // any value but 0 is on
  HandleCbp(rt_, Args({50, 8, 32.14539363728237, 131935.96278052218}, 2));
  EXPECT_NEAR(Var(1), 51, 5e-7);
  EXPECT_NEAR(Var(2), 9, 5e-7);
  HandleGk2Gps(rt_, Args({4595060.257, 5819301.807}, 2));
  EXPECT_NEAR(Var(1), 52.5, 2e-8);  // R and H were rounded to the millimetre
  EXPECT_NEAR(Var(2), 13.4, 2e-8);
  const std::string text = out_.Close();
  EXPECT_EQ(text.rfind("--> CalcBackProjection\n", 0), 0u);
  EXPECT_NE(text.find("<-- CalcBackProjection\n--> GK2Geo\nR=4595060.3 H=5819301.8\n<-- GK2Geo\n"),
            std::string::npos);
}

TEST_F(HandlerTest, Gps2GkStripArgument) {
  HandleGps2Gk(rt_, Args({52.5, 13.4, 4}, 2));
  const double r = Var(1), h = Var(2);
  EXPECT_NEAR(r, 4595060.257, 5e-4);
  EXPECT_NEAR(h, 5819301.807, 5e-4);
  HandleGps2Gk(rt_, Args({52.5, 13.4, 999}, 2));  // above 360: MKZ(lon)
  EXPECT_EQ(Var(1), r);
  EXPECT_EQ(Var(2), h);
  HandleGps2Gk(rt_, Args({52.5, 13.4, 4.7}, 2));  // floored
  EXPECT_EQ(Var(1), r);
  HandleGps2Gk(rt_, Args({52.5, 13.4, 360}, 2));  // not above 360: strip 360
  EXPECT_EQ(Var(1), Geo2GK(52.5, 13.4, 360).r);
  HandleGps2Gk(rt_, Args({52.5, 13.4, kNaN}, 2));  // NaN: strip 0
  EXPECT_EQ(Var(1), Geo2GK(52.5, 13.4, 0).r);
  HandleGps2Gk(rt_, Args({52.5, kNaN, 999}, 2));
  EXPECT_TRUE(std::isnan(Var(1)));
}

TEST_F(HandlerTest, ConstructionsStoreTheirPoints) {
  HandleCenter(rt_, Args({50, 9, 50.01, 9.02, 49.995, 9.03}, 2));
  EXPECT_NEAR(Var(1), 50.000008696, 1e-8);
  EXPECT_NEAR(Var(2), 9.016006699, 1e-8);
  HandleKreuzpeilung(rt_, Args({50, 9, 45, 50 + 1000 / 111229.0, 9, 135}, 2));
  EXPECT_NEAR(Var(1), 50.004495023, 1e-8);
  EXPECT_NEAR(Var(2), 9.006974573, 1e-8);
  HandleBogenschnitt(rt_, Args({50, 9, 50.01, 9.005, 800, 900}, 4));
  EXPECT_NEAR(Var(1), 50.006073579, 1e-8);
  EXPECT_NEAR(Var(2), 8.994020434, 1e-8);
  EXPECT_NEAR(Var(3), 50.002680811, 1e-8);
  EXPECT_NEAR(Var(4), 9.010355935, 1e-8);
  HandleBogenschnitt(rt_, Args({50, 9, 50.01, 9.005, 100, 100}, 4));
  for (int v = 1; v <= 4; ++v) EXPECT_TRUE(std::isnan(Var(v))) << v;
  EXPECT_EQ(out_.Close(), "");
}

TEST_F(HandlerTest, FunctionsTakeTheirArgumentsInOrder) {
  EXPECT_NEAR(FnDistVincenty(rt_, Args({50, 8, 51, 9}, 0)), 131935.962, 1e-7);
  EXPECT_NEAR(FnDistUtm(rt_, Args({50, 8, 51, 9}, 0)), 131885.962, 5e-4);
  EXPECT_NEAR(FnBearingUtm(rt_, Args({50, 8, 51, 9}, 0)), 32.915194, 5e-7);
  EXPECT_NEAR(FnProjUtmLat(rt_, Args({50, 8, 45, 10000}, 0)), 50.0643976, 5e-8);
  EXPECT_NEAR(FnProjUtmLon(rt_, Args({50, 8, 90, 1000}, 0)), 8.0139513, 5e-8);
  EXPECT_EQ(FnMkz(rt_, Args({10.5}, 0)), 4);
  EXPECT_DOUBLE_EQ(FnGmmmm(rt_, Args({50, 12, 3, 4, 5}, 0)), 50.20575);
  EXPECT_EQ(FnTorad(rt_, Args({180}, 0)), 3.1415926535897936);
  EXPECT_DOUBLE_EQ(FnTodeg(rt_, Args({3.1415926535897936 / 2}, 0)), 90);
}

}  // namespace
}  // namespace orbelin
