#include "geocodes/plus_code.h"

#include <gtest/gtest.h>

#include <string>

namespace orbelin {
namespace {

// Expected codes from npm's open-location-code 1.0.3 (tests/web), e.g.
//   node -e 'const O = require("open-location-code").OpenLocationCode;
//            console.log(new O().encode(47.36559, 8.524997, 11))'
// The tests in tests/web compare thousands of random positions.
TEST(PlusCode, EncodesAsTheReferenceDoes) {
  struct Case {
    double lat, lon;
    int digits;
    const char* code;
  } cases[] = {
      {47.36559, 8.524997, 10, "8FVC9G8F+6X"},
      {47.36559, 8.524997, 11, "8FVC9G8F+6XQ"},
      // A value is read as the decimal it is written as, to
      // a millionth of the finest cell: 47.36559 N lies exactly on a cell's
      // south edge at 15 digits (137.36559 * 25000000 = 3434139750; Python's
      // fractions.Fraction('47.36559') agrees). npm 1.0.3 works on the
      // double, a hair below the edge, and gives 8FVC9G8F+6XQHWVX.
      {47.36559, 8.524997, 15, "8FVC9G8F+6XQQ435"},
      {47.36559, 8.524997, 4, "8FVC0000+"},
      {-33.8688, 151.2093, 10, "4RRH46J5+FP"},
      {90, 1, 10, "CFX3X2X2+X2"},   // 90 N is taken as just south of it
      {0, 180, 10, "62G22222+22"},  // 180 E is 180 W
      {-90, -180, 2, "22000000+"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlusCode(c.lat, c.lon, c.digits), c.code) << c.lat << " " << c.lon;
  }
}

TEST(PlusCode, ReadsFullAndShortCodes) {
  // npm: decode("8FVC9G8F+6X") has its corner at 47.3655, 8.524875.
  const CodeReading r = ReadPlusCode("8fvc9g8f+6x");
  ASSERT_TRUE(r.ok) << r.why;
  EXPECT_NEAR(r.area.south, 47.3655, 1e-12);
  EXPECT_NEAR(r.area.west, 8.524875, 1e-12);
  EXPECT_NEAR(r.area.north - r.area.south, 1.0 / 8000, 1e-12);
  const CodeReading padded = ReadPlusCode("8FVC0000+");
  ASSERT_TRUE(padded.ok);
  EXPECT_EQ(padded.area.lat(), 47.5);
  EXPECT_EQ(padded.area.lon(), 8.5);
  // npm: recoverNearest(short, lat, lon).
  struct Near {
    const char* code;
    double lat, lon;
    const char* full;
  } near[] = {
      {"9G8F+6X", 47.4, 8.6, "8FVC9G8F+6X"},
      // The nearest: 8FVCCJ8F+6X lies 0.016 degrees north of 47.4, within
      // half a step (0.025). npm 1.0.3 says 8FVC9J8F+6X, 0.034 south of it:
      // its 47.4 / 0.05 floors to 947 in floating point.
      {"8F+6X", 47.4, 8.6, "8FVCCJ8F+6X"},
      {"CJ+2VX", 51.3, -1.2, "9C3W8QCJ+2VX"},
      {"X2+X2", 89.6, 0.8, "CFX2HRX2+X2"},
      {"2222+22", 0.9, 179.9, "62H22222+22"},  // across the date line
  };
  for (const Near& n : near) {
    const CodeReading got = ReadPlusCodeNear(n.code, n.lat, n.lon);
    const CodeReading want = ReadPlusCode(n.full);
    ASSERT_TRUE(got.ok && want.ok) << n.code << ": " << got.why;
    EXPECT_EQ(got.area.lat(), want.area.lat()) << n.code;
    EXPECT_EQ(got.area.lon(), want.area.lon()) << n.code;
  }
}

// Which codes are valid, full and short, as npm's isValid,
// isFull and isShort answer (npm 1.0.3 still takes "8FVC00+", a short code
// with padding, which the code's definition has since forbidden).
TEST(PlusCode, KnowsFullShortAndInvalid) {
  struct Case {
    const char* text;
    PlusCodeKind kind;
  } cases[] = {
      {"8FVC9G8F+6X", PlusCodeKind::kFull}, {"8FVC9G8F+", PlusCodeKind::kFull},
      {"8fvc9g8f+6x", PlusCodeKind::kFull}, {"8FVC9G8F+6XQHWVXQ", PlusCodeKind::kFull},
      {"22222222+22", PlusCodeKind::kFull}, {"2V222222+22", PlusCodeKind::kFull},
      {"9G8F+6X", PlusCodeKind::kShort},    {"8F+6X", PlusCodeKind::kShort},
      {"8FVC9G8F+6", PlusCodeKind::kNone},  {"8FV+", PlusCodeKind::kNone},
      {"8FVC00+", PlusCodeKind::kNone},     {"8FVC0000+1", PlusCodeKind::kNone},
      {"WC2345678+", PlusCodeKind::kNone},  {"2W222222+22", PlusCodeKind::kNone},
      {"D2222222+22", PlusCodeKind::kNone}, {"8FVC9G8+6X", PlusCodeKind::kNone},
      {"8FVC9G8F6X", PlusCodeKind::kNone},  {"8FVC9G8F+6A", PlusCodeKind::kNone},
      {"8FVC++9G8F", PlusCodeKind::kNone},  {"", PlusCodeKind::kNone},
  };
  for (const Case& c : cases) {
    std::string why;
    EXPECT_EQ(ClassifyPlusCode(c.text, &why), c.kind) << c.text;
    if (c.kind == PlusCodeKind::kNone) {
      EXPECT_FALSE(why.empty()) << c.text;
    }
  }
  EXPECT_FALSE(ReadPlusCode("9G8F+6X").ok);  // short: needs a place near
}

TEST(PlusCode, Lengths) {
  for (int n : {2, 4, 6, 8, 10, 11, 15}) EXPECT_TRUE(PlusCodeLength(n)) << n;
  for (int n : {0, 1, 3, 5, 7, 9, 16}) EXPECT_FALSE(PlusCodeLength(n)) << n;
}

}  // namespace
}  // namespace orbelin
