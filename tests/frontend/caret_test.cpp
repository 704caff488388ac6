#include "frontend/caret.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

TEST(CaretIndexForColumn, MapsInterpreterColumnsToCharacters) {
  struct Case {
    const char* line;
    int column;  // 0-based, as the run hands it over
    int index;
  } cases[] = {
      {"VAR A;", 0, 0},
      {"VAR A;", 4, 4},
      {"VAR A;", 40, 6},      // past the end: the end of the line
      {"\tX", 8, 1},          // X after a tab at column 1 stands at column 9
      {"\tX", 7, 0},          // a tab token is placed at column 8
      {"abcdefg\tX", 16, 8},  // tab at column 8 moves X to column 17
      {"abcdefg\tX", 15, 7},  // the tab token itself: column 16
      {"ab\tc\td", 16, 5},    // tabs at 3 and 10: c at 9, d at 17
      {"äöü;", 3, 3},         // characters, not UTF-8 bytes
      {"", 3, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CaretIndexForColumn(c.line, c.column), c.index) << c.line << " @ " << c.column;
  }
}

// The window's line:column shows the column a diagnostic would name for the
// character after the caret.
TEST(ColumnAtCaret, CountsAsTheDiagnosticsDo) {
  struct Case {
    const char* before;
    int column;
  } cases[] = {
      {"", 1}, {"WRITE B", 8}, {"\t", 9}, {"abcdefg\t", 17}, {"ab\tc\t", 17}, {"äöü", 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColumnAtCaret(c.before), c.column) << c.before;
    // What a diagnostic at that column takes the caret back to.
    EXPECT_EQ(CaretIndexForColumn(std::string(c.before) + "X", c.column - 1),
              CaretIndexForColumn(std::string(c.before) + "X", 999) - 1);
  }
}

}  // namespace
}  // namespace orbelin
