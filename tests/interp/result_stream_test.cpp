#include "interp/result_stream.h"

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
    out.OpenMemory();
    out.WriteNumber(c.value, c.precision);
    EXPECT_EQ(out.Close(), c.text) << c.value << " : " << c.precision;
  }
}

TEST(WriteNumber, HugeOrOddPrecisionsStayBounded) {
  ResultStream out;
  out.OpenMemory();
  out.WriteNumber(1.5, 99999999999999999999.0);
  std::string text = out.Close();
  EXPECT_EQ(text.size(), 2u + 1074u);  // "1." and every digit a double can have
  EXPECT_EQ(text.substr(0, 4), "1.50");

  out.OpenMemory();
  out.WriteNumber(1.5, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(out.Close(), "2");
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
    out.OpenMemory();
    out.WriteChar(c.code);
    EXPECT_EQ(out.Close(), c.bytes) << c.code;
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
    out.OpenMemory();
    out.WriteString(c.text);
    EXPECT_EQ(out.Close(), c.written) << c.margin << " '" << c.text << "'";
  }
}

TEST(ResultStream, WritesNothingWhenClosed) {
  ResultStream out;
  out.WriteNumber(1, 0);
  out.WriteString("x");
  out.WriteChar(65);
  out.WriteNewline();
  out.Printf("%d", 5);
  out.OpenMemory();
  EXPECT_EQ(out.Close(), "");
}

TEST(ResultStream, FileGetsEveryByte) {
  std::string path = testing::TempDir() + "/result_stream_test.res";
  ResultStream out;
  ASSERT_TRUE(out.OpenFile(path));
  std::string big(200000, 'x');
  out.Write(big);
  out.WriteChar(0);
  out.WriteNewline();
  out.Close();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::string back(300000, '?');
  back.resize(std::fread(back.data(), 1, back.size(), f));
  std::fclose(f);
  EXPECT_EQ(back, big + std::string(1, '\0') + "\n");
  EXPECT_FALSE(out.OpenFile("/nonexistent-folder/x.res"));
}

}  // namespace
}  // namespace orbelin
