#include "frontend/position_fix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "frontend/calc.h"
#include "interp/session.h"

namespace orbelin {
namespace {

// The spreads are held to GeographicLib's GeodSolve -i, the distances from
// the mean to each fix:
//   48.2 11.5 48.20002 11.5      -> 2.223884 m
//   48.2 11.5 48.2 11.50003      -> 2.230094 m
//   48.2 11.5 48.19998 11.49997  -> 3.149441 m
//   0 180 0 179.99999            -> 1.113195 m (and the same to -179.99999)
TEST(PositionFix, AverageOfFixes) {
  const AveragedPosition four = AverageFixes(
      {{48.2, 11.5, 5}, {48.20002, 11.5, 7}, {48.2, 11.50003, 6}, {48.19998, 11.49997, 6}});
  EXPECT_EQ(four.fixes, 4);
  EXPECT_NEAR(four.lat, 48.2, 1e-12);
  EXPECT_NEAR(four.lon, 11.5, 1e-12);
  // sqrt((0 + 2.223884^2 + 2.230094^2 + 3.149441^2) / 4)
  EXPECT_NEAR(four.spread, 2.226991, 1e-5);
  // The fixes' own accuracy, not less: their errors are shared.
  EXPECT_EQ(four.accuracy, 6);
  EXPECT_EQ(AverageText(four),
            "4 fixes, spread 2.2 m, \xC2\xB1"
            "6 m");

  // Across the 180° meridian the mean lies between the fixes, not at 0°;
  // a spread larger than the fixes' accuracy is what is written.
  const AveragedPosition date_line = AverageFixes({{0, 179.99999, 0.5}, {0, -179.99999, 0.5}});
  EXPECT_NEAR(std::fabs(date_line.lon), 180, 1e-9);
  EXPECT_NEAR(date_line.spread, 1.113195, 1e-5);
  EXPECT_NEAR(date_line.accuracy, 1.113195, 1e-5);

  // What is no place on the Earth is left out; nothing usable, no mean.
  const AveragedPosition one = AverageFixes({{std::nan(""), 11.5, 5}, {48.2, 11.5, 8}, {95, 0, 5}});
  EXPECT_EQ(one.fixes, 1);
  EXPECT_EQ(one.spread, 0);
  EXPECT_EQ(AverageText(one),
            "1 fix, spread 0.0 m, \xC2\xB1"
            "8 m");
  EXPECT_EQ(AverageFixes({{std::nan(""), 0, 1}}).fixes, 0);
}

// What is inserted runs where it is inserted, and names the place.
TEST(PositionFix, InsertionRunsWhereItStands) {
  struct Case {
    const char* before;  // the caret's line before it
    const char* after;   // and after it
    int fixes;
    const char* inserted;
  } cases[] = {
      {"", "", 1, "OLAT = °N 48 12.345; OLON = °E 11 30.500; {±8 m}"},
      {"WRITE 1;  ", "", 10, "OLAT = °N 48 12.345; OLON = °E 11 30.500; {±8 m, mean of 10 fixes}"},
      {"WRITE WGPS(", ");", 1, "°N 48 12.345, °E 11 30.500 {±8 m}"},
      {"", "WRITE 1;", 1, "°N 48 12.345, °E 11 30.500 {±8 m}"},
  };
  for (const Case& c : cases) {
    const std::string inserted =
        PositionInsertion(48.20575, 11.508333333, 7.3, c.fixes, c.before, c.after);
    EXPECT_EQ(inserted, c.inserted) << c.before;
    if (*c.after == 'W') continue;  // a pair in front of a statement is the user's to finish
    Session session;
    const CalcView view = CalcBox(session, std::string(c.before) + inserted + c.after);
    EXPECT_TRUE(view.run.clean()) << inserted;
    if (*c.after == '\0') {
      EXPECT_NEAR(session.hand_off_point().lat, 48.20575, 1e-9);
      EXPECT_NEAR(session.hand_off_point().lon, 11.508333333, 1e-6);
    } else {
      EXPECT_EQ(view.ShownText(), "GPS: N 48 12.3450 E 11 30.5000\n");
    }
  }
  // Without an accuracy, no comment.
  EXPECT_EQ(PositionInsertion(-33.5, -70.25, 0, 0, "", ""),
            "OLAT = °S 33 30.000; OLON = °W 70 15.000;");
}

}  // namespace
}  // namespace orbelin
