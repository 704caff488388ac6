#include "frontend/vary/filter.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "interp/session.h"

namespace orbelin {
namespace {

TEST(VaryFilter, ConditionsHoldForValuesAndRanges) {
  struct Case {
    const char* condition;
    double value;
    bool holds;
  } cases[] = {
      {"CHK=42", 42, true},
      {"CHK=42", 41, false},
      {"CHK=42", 42.0000000001, true},  // within a billionth
      {"CHK=42", 42.001, false},
      {"X=0.3", 0.1 + 0.2, true},
      {"D=0..5", 2.5, true},  // a range without a step is every number in it
      {"D=0..5", 5, true},
      {"D=0..5", 5.1, false},
      {"D=0..5", -0.1, false},
      {"Q=0..90/5", 45, true},  // with a step, only its values
      {"Q=0..90/5", 46, false},
      {"R=1,3..4,9", 3.5, true},
      {"R=1,3..4,9", 2, false},
      {"R=1,3..4,9", 9, true},
      {"S=-1..1", 0, true},
  };
  for (const Case& c : cases) {
    const ConditionReading r = ReadCondition(c.condition);
    ASSERT_TRUE(r.condition) << c.condition << ": " << r.error;
    EXPECT_EQ(r.condition->Holds(c.value), c.holds) << c.condition << " with " << c.value;
  }
  EXPECT_EQ(ReadCondition("chk=1").condition->name, "CHK");
}

TEST(VaryFilter, MistakesInConditionsAndDistances) {
  EXPECT_EQ(ReadCondition("CHK").error,
            "A condition is NAME=VALUES, as in CHK=42 or D=0..5; 'CHK' is not.");
  EXPECT_EQ(ReadCondition("D=5..0").error,
            "In 'D=5..0': the range '5..0' is empty: it counts up from the first number to the "
            "second.");
  EXPECT_EQ(ReadCondition("D=a..5").error, "In 'D=a..5': 'a' is not a number.");
  EXPECT_EQ(ReadCondition("D=0...5").error,
            "In 'D=0...5': '0...5' has 3 dots: a range is written with two, as in 0..5.");
  EXPECT_EQ(ReadCondition("D=").error,
            "In 'D=': no values are given: write a range, a list or both, as in 0..9 or 1,3,5.");

  struct Case {
    const char* text;
    double metres;  // 0: refused
  } cases[] = {{"3.2km", 3200},      {"2mi", 3218.688},   {"500 m", 500},
               {"2 MI", 3218.688},   {"0.5Km", 500},      {"2miles", 3218.688},
               {"1 mile", 1609.344}, {"500 metres", 500}, {"1.5 kilometers", 1500},
               {"100ft", 30.48},     {"3.2", 0},          {"km", 0},
               {"-1km", 0},          {"3 furlongs", 0},   {"", 0}};
  for (const Case& c : cases) {
    std::string error;
    const std::optional<double> d = ReadDistance(c.text, &error);
    if (c.metres == 0) {
      EXPECT_FALSE(d) << c.text;
      EXPECT_EQ(error, "'" + std::string(c.text) +
                           "' is no distance: write a number and its unit, as in 3.2km, 2mi or "
                           "500m.");
    } else {
      ASSERT_TRUE(d) << c.text << ": " << error;
      EXPECT_DOUBLE_EQ(*d, c.metres) << c.text;
    }
  }
  EXPECT_EQ(DistanceText(5.4), "5 m");
  EXPECT_EQ(DistanceText(999.4), "999 m");
  EXPECT_EQ(DistanceText(1241.285), "1.24 km");
  EXPECT_EQ(DistanceText(-1), "?");
}

// The distance is DISTVINCENTY's, to the millimetre the language shows.
TEST(VaryFilter, DistancesAreTheLanguagesOwn) {
  Session session;
  const std::string written =
      session.Run("WRITE DISTVINCENTY(48.2, 11.5, 48.21, 11.52):3;").results;
  char mine[64];
  std::snprintf(mine, sizeof mine, "%.3f\n", DistanceFrom({48.2, 11.5}, 48.21, 11.52));
  EXPECT_EQ(mine, written);
  EXPECT_EQ(DistanceFrom({48.2, 11.5}, 48.2, 11.5), 0.0);
}

}  // namespace
}  // namespace orbelin
