#include "geocodes/maidenhead.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

// Published locators (W1AW's station FN31pr, Berlin JO62qm, Sydney QF56od),
// and the corners, worked out by hand from the definition: each character
// is the whole number of cells east of 180 W or north of 90 S.
TEST(Locator, KnownPlacesAndTheCorners) {
  struct Case {
    double lat, lon;
    int length;
    const char* text;
  } cases[] = {
      {41.714775, -72.727260, 6, "FN31pr"},  // ARRL headquarters, Newington
      {52.52, 13.40, 6, "JO62qm"},
      {-33.8688, 151.2093, 6, "QF56od"},
      // 11.5755 E is 191.5755 from 180 W: field J (9), square 5, 1.5755 /
      // (5/60) = 18.9: s, 0.0755 / (0.5/60) = 9.06: 9, 0.0005 / (0.5/60/24)
      // = 1.44: b. 48.1374 N is 138.1374 from 90 S: N (13), 8, 0.1374 /
      // (2.5/60) = 3.30: d, 0.0124 / (0.25/60) = 2.98: 2, 0.00407 /
      // (0.25/60/24) = 23.4: x.
      {48.1374, 11.5755, 10, "JN58sd92bx"},
      {48.1374, 11.5755, 4, "JN58"},
      {48.1374, 11.5755, 2, "JN"},
      {-90, -180, 6, "AA00aa"},
      {90, 180, 8, "AR09ax09"},  // 180 E is 180 W; 90 N lies in the top cells
      {0, 0, 6, "JJ00aa"},       // a point on an edge belongs east and north
      {-0.000001, -0.000001, 4, "II99"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Locator(c.lat, c.lon, c.length), c.text) << c.lat << " " << c.lon;
  }
}

TEST(Locator, ReadBackGivesTheSquareAndTakesAnyCase) {
  const CodeReading r = ReadLocator("jn58TD");
  ASSERT_TRUE(r.ok) << r.why;
  // JN58td: 10 + 5 * 2 ... = 11 + 19 * 5' = 11 deg 35' to 11 deg 40' E,
  // 48 + 3 * 2.5' = 48 deg 7.5' to 48 deg 10' N.
  EXPECT_DOUBLE_EQ(r.area.west, 11 + 35.0 / 60);
  EXPECT_DOUBLE_EQ(r.area.east, 11 + 40.0 / 60);
  EXPECT_DOUBLE_EQ(r.area.south, 48 + 7.5 / 60);
  EXPECT_DOUBLE_EQ(r.area.north, 48 + 10.0 / 60);
  EXPECT_DOUBLE_EQ(ReadLocator("AA00aa00aa").area.west, -180);
  // There and back for every length.
  for (int n = 2; n <= 10; n += 2) {
    const std::string text = Locator(-12.3456, 77.7777, n);
    const CodeReading back = ReadLocator(text);
    ASSERT_TRUE(back.ok) << text;
    EXPECT_EQ(Locator(back.area.lat(), back.area.lon(), n), text);
  }
}

TEST(Locator, RefusesWhatIsNoLocator) {
  for (const char* bad : {"", "J", "JN5", "JS58", "JN5X", "JN58ty", "JN58td2", "JN58td2x",
                          "JN58td25xz", "JN58td25xx00", "1N58", "JN 58"}) {
    const CodeReading r = ReadLocator(bad);
    EXPECT_FALSE(r.ok) << bad;
    EXPECT_FALSE(r.why.empty()) << bad;
  }
}

}  // namespace
}  // namespace orbelin
