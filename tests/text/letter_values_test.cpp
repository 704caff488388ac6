#include "text/letter_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orbelin {
namespace {

TEST(LetterValueTest, LettersDigitsAndEverythingElse) {
  EXPECT_EQ(LetterValue('A'), 1);
  EXPECT_EQ(LetterValue('z'), 26);
  EXPECT_EQ(LetterValue('7'), 7);
  EXPECT_EQ(LetterValue(' '), 0);
  EXPECT_EQ(LetterValue('@'), 0);     // just below A
  EXPECT_EQ(LetterValue('`'), 0);     // just below a
  EXPECT_EQ(LetterValue('\xE4'), 0);  // ä
  EXPECT_EQ(LetterValue('\xC4'), 0);  // Ä
}

struct NumberCase {
  double (*fn)(double);
  const char* name;
  double x;
  double expected;
};

TEST(DigitSumTest, WorkedExamples) {
  const NumberCase cases[] = {
      {Qsum, "QSUM", 1234, 10},
      {Qsum, "QSUM", 12.9, 3},
      {Qsum, "QSUM", 0, 0},
      {Qsum, "QSUM", -123, -3},  // only the signed last digit
      {Qsum, "QSUM", 2147483647, 46},
      {Qqsum, "QQSUM", 99999, 9},
      {Qqsum, "QQSUM", 0, 0},
      {Qqsum, "QQSUM", 18, 9},
      {Qqsum, "QQSUM", 1234, 1},
      {Kqsum, "KQSUM", 52.5, 10},      // "52 30.0000"
      {Kqsum, "KQSUM", -52.5, 11},     // "-53 30.0000": floor, not truncation
      {Kqsum, "KQSUM", 8.123456, 30},  // "8 7.4074"
      {Kqsum, "KQSUM", 0, 0},
      {Kqsum, "KQSUM", -2147483647.5, 47 + 3},  // "-2147483648 30.0000": longest int text
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << "(" << c.x << ")");
    EXPECT_EQ(c.fn(c.x), c.expected);
  }
}

TEST(DigitSumTest, BeyondTheIntRangeStaysDefined) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Qsum(1e10), 1);
  EXPECT_EQ(Qsum(12345678901.7), 46);        // digits of 12345678901
  EXPECT_EQ(Qsum(-12345678907.0), -7);       // the signed last digit, as for small values
  EXPECT_FALSE(std::signbit(Qsum(-1e10)));   // 0, written without a minus
  EXPECT_EQ(Qsum(1e22), 1);                  // exactly 1 and 22 zeros
  EXPECT_EQ(Qsum(std::ldexp(1.0, 70)), 70);  // 1180591620717411303424
  EXPECT_EQ(Qsum(std::numeric_limits<double>::max()), 1433);  // all 309 digits
  EXPECT_EQ(Kqsum(std::numeric_limits<double>::max()), 1433);
  EXPECT_EQ(Qqsum(9999999999.0), 9);
  EXPECT_EQ(Kqsum(10000000000.5), 1 + 3);  // "10000000000 30.0000"
  EXPECT_EQ(Kqsum(-1e10), 1);              // "-10000000000 0.0000"
  for (double x : {inf, -inf, nan}) {
    SCOPED_TRACE(x);
    EXPECT_EQ(Qsum(x), 0);
    EXPECT_EQ(Qqsum(x), 0);
    EXPECT_EQ(Kqsum(x), 0);
  }
}

TEST(AlphaTest, PositionalValue) {
  EXPECT_EQ(Alpha("ABC"), 123);
  EXPECT_EQ(Alpha("Hallo"), 82335);  // values above 9 carry
  EXPECT_EQ(Alpha("AZ"), 36);
  EXPECT_EQ(Alpha("A B"), 102);  // the blank counts 0 and still shifts
  EXPECT_EQ(Alpha("A\xE4"
                  "B"),
            102);  // so does an accented letter
  EXPECT_EQ(Alpha(""), 0);
}

TEST(AlphabetSumTest, PlacesInEachAlphabet) {
  EXPECT_EQ(AlphabetSum(kSumMer, "Test 12"), 15);  // 2 + 1 + 7 + 2, blank 0, digits 1 + 2
  EXPECT_EQ(AlphabetSum(kSumRom, ""), 0);
  EXPECT_EQ(AlphabetSum(kSumRom, "e\xDF?"), 1);  // ß and ? add 0
  // Every alphabet is an order of the 26 capitals, so a whole alphabet sums
  // to 1 + ... + 26 and its first letter is worth 1.
  for (const char* alphabet :
       {kSumRom, kSumKas, kSumJen, kSumMer, kSumKah, kSumMey, kSumKer, kSumDev, kSumEyr}) {
    SCOPED_TRACE(alphabet);
    EXPECT_EQ(AlphabetSum(alphabet, "abcdefghijklmnopqrstuvwxyz"), 351);
    EXPECT_EQ(AlphabetSum(alphabet, "E"), 1);
  }
  EXPECT_EQ(AlphabetSum(kSumRom, "Y"), 26);
  EXPECT_EQ(AlphabetSum(kSumKer, "W"), 26);
  EXPECT_EQ(AlphabetSum(kSumDev, "A"), 2);
}

}  // namespace
}  // namespace orbelin
