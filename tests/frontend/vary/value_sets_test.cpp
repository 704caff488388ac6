#include "frontend/vary/value_sets.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

TEST(ValueSets, TheFormsAUserWrites) {
  struct Case {
    const char* text;
    const char* name;
    std::vector<double> values;
  } cases[] = {
      {"A=0..9", "A", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"b=1,3,5", "B", {1, 3, 5}},
      {"C=0..20/5", "C", {0, 5, 10, 15, 20}},
      {"D=1..10/4", "D", {1, 5, 9}},             // the end need not be met
      {"E = 0..3, 7, 2", "E", {0, 1, 2, 3, 7}},  // each value once, in the order written
      {"F=-2..2/2", "F", {-2, 0, 2}},
      {"G=7", "G", {7}},
      // Decimal values are the numbers typed, not sums of steps.
      {"H=0.1..0.3/0.1", "H", {0.1, 0.2, 0.3}},
      {"I=0..1/0.25", "I", {0, 0.25, 0.5, 0.75, 1}},
      {"averyveryverylongname1=1", "AVERYVERYVERYLONGNA", {1}},
  };
  for (const Case& c : cases) {
    const ValueSetReading r = ReadValueSet(c.text);
    ASSERT_TRUE(r.set) << c.text << ": " << r.error;
    EXPECT_EQ(r.set->name, c.name) << c.text;
    EXPECT_EQ(r.set->values, c.values) << c.text;
  }
  // 0.1 + 0.1 + 0.1 would not be 0.3; the third value is.
  EXPECT_EQ(ReadValueSet("X=0..0.3/0.1").set->values.back(), 0.3);
}

TEST(ValueSets, MistakesAreNamed) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"A", "Values are given as NAME=VALUES, as in A=0..9 or B=1,3,5; 'A' is not."},
      {"=1..3", "Values are given as NAME=VALUES, as in A=0..9 or B=1,3,5; '=1..3' is not."},
      {"A=", "In 'A=': no values are given: write a range, a list or both, as in 0..9 or 1,3,5."},
      {"A=x", "In 'A=x': 'x' is not a number."},
      {"A=0..1e3",
       "In 'A=0..1e3': '1e3' has an exponent: write the number out, as in 100000 or 0.001."},
      {"A=1,,2", "In 'A=1,,2': a number is missing."},
      {"A=5..3",
       "In 'A=5..3': the range '5..3' is empty: it counts up from the first number to "
       "the second."},
      {"A=1...3", "In 'A=1...3': '1...3' has 3 dots: a range is written with two, as in 1..3."},
      {"A=0..9/0", "In 'A=0..9/0': the step of '0..9/0' must be more than 0."},
      {"A=0..9/-1", "In 'A=0..9/-1': the step of '0..9/-1' must be more than 0."},
      {"A=0..99999999",
       "In 'A=0..99999999': '0..99999999' has 100000000 values; at most "
       "10000000 can be tried."},
      {"A=0.0000000000000001",
       "In 'A=0.0000000000000001': '0.0000000000000001' has more digits "
       "than can be tried exactly (15 at most)."},
  };
  for (const Case& c : cases) {
    const ValueSetReading r = ReadValueSet(c.text);
    EXPECT_FALSE(r.set) << c.text;
    EXPECT_EQ(r.error, c.error) << c.text;
  }
}

TEST(ValueSets, CombinationsAreCountedWithoutOverflow) {
  std::vector<ValueSet> sets(3);
  for (ValueSet& s : sets) s.values.assign(1000, 0.0);
  EXPECT_EQ(CombinationCount({sets.begin(), sets.begin() + 2}), 1'000'000u);
  EXPECT_EQ(CombinationCount(sets), kMaxCombinations + 1);  // 10^9
  sets.resize(7);
  for (ValueSet& s : sets) s.values.assign(1000, 0.0);  // 10^21: more than 64 bits
  EXPECT_EQ(CombinationCount(sets), kMaxCombinations + 1);
  EXPECT_EQ(CombinationCount({}), 1u);
}

TEST(ValueSets, TextsOfValuesAndCounts) {
  EXPECT_EQ(ValueText(7), "7");
  EXPECT_EQ(ValueText(0.25), "0.25");
  EXPECT_EQ(ValueText(-3), "-3");
  // Values as people type them, never with an exponent: whole tens and
  // hundreds, big and small numbers written out, as short as reads back.
  EXPECT_EQ(ValueText(10), "10");
  EXPECT_EQ(ValueText(90), "90");
  EXPECT_EQ(ValueText(110), "110");
  EXPECT_EQ(ValueText(-1200), "-1200");
  EXPECT_EQ(ValueText(1234567), "1234567");
  EXPECT_EQ(ValueText(0.3), "0.3");
  EXPECT_EQ(ValueText(1e20), "100000000000000000000");
  EXPECT_EQ(ValueText(0.00001), "0.00001");
  EXPECT_EQ(ValueText(-2.5e-9), "-0.0000000025");
  // Only what no one types keeps its exponent.
  EXPECT_EQ(ValueText(1e300), "1e+300");
  EXPECT_EQ(ValueText(5e-324), "5e-324");
  EXPECT_EQ(CountText(0), "0");
  EXPECT_EQ(CountText(999), "999");
  EXPECT_EQ(CountText(1000), "1,000");
  EXPECT_EQ(CountText(10'000'000), "10,000,000");
}

}  // namespace
}  // namespace orbelin
