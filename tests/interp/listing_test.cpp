#include "interp/listing.h"

#include <gtest/gtest.h>

#include "base/text_sink.h"

namespace orbelin {
namespace {

std::string Listing(const std::string& source, const std::vector<ErrorRecord>& records) {
  StringSink out;
  WriteListing(out, source, records);
  return out.Take();
}

TEST(Listing, NumbersLinesAndMarksErrorsUnderTheirColumn) {
  EXPECT_EQ(Listing("A\r\nBB\r\nC\r\n", {{6, 2, 3}, {111, 2, 1}}),
            "Listing:\n\n"
            "    1  A\n"
            "    2  BB\n"
            "*****    ^ \";\" expected (E6)\n"
            "*****  ^ indent name unknown (E111)\n"
            "    3  C\n"
            "\n\n    2 syntax errors\n");
}

TEST(Listing, ALastLineWithoutLineEndIsNotListed) {
  EXPECT_EQ(Listing("A\nB", {}), "Listing:\n\n    1  A\n\n\n    0 syntax errors\n");
  EXPECT_EQ(Listing("A\nB", {{6, 2, 2}, {5, 3, 1}}),
            "Listing:\n\n    1  A\n    2\n"
            "*****   ^ \";\" expected (E6)\n"
            "*****  ^ \",\" expected (E5)\n"
            "\n\n    2 syntax errors\n");
}

TEST(Listing, TabsExpandToTheScannersColumns) {
  // A tab at column 8 takes nine blanks, so the next byte is at column 17.
  EXPECT_EQ(Listing("1234567\tX\n\tY\n", {}),
            "Listing:\n\n    1  1234567         X\n    2          Y\n\n\n    0 syntax errors\n");
}

TEST(Listing, LongLinesAreWrittenWhole) {
  std::string line(1000, 'x');
  EXPECT_EQ(Listing(line + "\n", {}), "Listing:\n\n    1  " + line + "\n\n\n    0 syntax errors\n");
}

TEST(Listing, TheTextEndsAtItsFirstNul) {
  EXPECT_EQ(Listing(std::string("A\n\0B\n", 5), {}),
            "Listing:\n\n    1  A\n\n\n    0 syntax errors\n");
}

}  // namespace
}  // namespace orbelin
