#include "base/result_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace orbelin {
namespace {

TEST(WriteNumber, RoundsThePrecisionDownAndFormatsFixedPoint) {
  struct Case {
    double value, precision;
    std::string text;
  } cases[] = {
      {2.71, 1.9, "2.7"},    {7.6, 0, "8"},
      {3.5, 0, "4"},         {2.5, 0, "2"},
      {1.0 / 3, 3, "0.333"}, {-0.4, 0, "-0"},
      {12, 2.999, "12.00"},  {1e21, 0, "1000000000000000000000"},
      {0.5, -1, "0.500000"},  // below zero counts as "not given", as in C
  };
  for (const Case& c : cases) {
    ResultStream out;
    out.WriteNumber(c.value, c.precision);
    EXPECT_EQ(out.Take(), c.text) << c.value << " : " << c.precision;
  }
}

TEST(WriteNumber, HugeOrOddPrecisionsStayBounded) {
  ResultStream out;
  out.WriteNumber(1.5, 99999999999999999999.0);
  std::string text = out.Take();
  EXPECT_EQ(text.size(), 2u + 1074u);  // "1." and every digit a double can have
  EXPECT_EQ(text.substr(0, 4), "1.50");

  out.WriteNumber(1.5, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(out.Take(), "2");
}

TEST(WriteChar, WritesTheLowByteOfTheWholePart) {
  struct Case {
    double code;
    std::string bytes;
  } cases[] = {
      {321, "A"},
      {72.9, "H"},
      {0, std::string(1, '\0')},
      {-191, "A"},
      {4294967361.0, "A"},  // beyond int: still the low eight bits
      {std::nan(""), std::string(1, '\0')},
      {INFINITY, std::string(1, '\0')},
  };
  for (const Case& c : cases) {
    ResultStream out;
    out.WriteChar(c.code);
    EXPECT_EQ(out.Take(), c.bytes) << c.code;
  }
}

TEST(WriteString, WrapsAtTheLastBlankWithinTheMargin) {
  struct Case {
    int margin;
    std::string text, written;
  } cases[] = {
      {10, "abcd efgh ijkl mnop", "abcd efgh\nijkl mnop"},
      {10, "abcdefghijklmno xy", "abcdefghijklmno xy"},  // no blank in reach: whole
      {10, "short", "short"},
      {5, "aa bb cc dd ee", "aa bb\ncc dd\nee"},
      {4, "abcd efgh", "abcd\nefgh"},     // the blank at index 4 = margin breaks
      {3, "ab ", "ab "},                  // not longer than the margin
      {3, "abc ", "abc\n"},               // the dropped blank leaves nothing
      {0, "aaa bbb ccc", "aaa bbb ccc"},  // 0 and below turn wrapping off
      {-7, "aaa bbb ccc", "aaa bbb ccc"},
  };
  for (const Case& c : cases) {
    ResultStream out;
    out.set_margin(c.margin);
    out.WriteString(c.text);
    EXPECT_EQ(out.Take(), c.written) << c.margin << " '" << c.text << "'";
  }
}

TEST(ResultStream, TakingTheTextKeepsTheMargin) {
  ResultStream out;
  out.set_margin(3);
  out.Write(std::string(200000, 'x'));
  out.WriteChar(0);
  EXPECT_EQ(out.Take(), std::string(200000, 'x') + std::string(1, '\0'));
  out.WriteString("ab cd");
  EXPECT_EQ(out.Take(), "ab\ncd");
}

}  // namespace
}  // namespace orbelin
