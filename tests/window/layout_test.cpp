#include "window/layout.h"

#include <gtest/gtest.h>

#include "window/tab_key.h"

namespace orbelin {
namespace {

TEST(Layout, HandheldScreenOf240By268) {
  // q = (268 - 30) / 5 = 47.
  WindowLayout l = ComputeLayout(240, 268);
  EXPECT_EQ(l.label, (Rect{4, 4, 122, 16}));
  EXPECT_EQ(l.calc, (Rect{130, 4, 18, 18}));
  EXPECT_EQ(l.load, (Rect{152, 4, 18, 18}));
  EXPECT_EQ(l.save, (Rect{174, 4, 18, 18}));
  EXPECT_EQ(l.hand_off, (Rect{196, 4, 18, 18}));
  EXPECT_EQ(l.done, (Rect{218, 4, 18, 18}));
  EXPECT_EQ(l.script, (Rect{2, 26, 236, 141}));
  EXPECT_EQ(l.results, (Rect{2, 169, 236, 97}));
}

TEST(Layout, BoxesShareTheHeightWhateverTheRemainder) {
  struct Case {
    int w, h;
    Rect script, results;
  } cases[] = {
      {480, 600, {2, 26, 476, 342}, {2, 370, 476, 228}},  // q = 114
      {300, 34, {2, 26, 296, 0}, {2, 28, 296, 4}},        // q = 0
      {241, 269, {2, 26, 237, 141}, {2, 169, 237, 98}},   // q = 47, remainder 4
  };
  for (const Case& c : cases) {
    WindowLayout l = ComputeLayout(c.w, c.h);
    EXPECT_EQ(l.script, c.script) << c.w << "x" << c.h;
    EXPECT_EQ(l.results, c.results) << c.w << "x" << c.h;
    EXPECT_EQ(l.done.x + l.done.width, c.w - 4);
  }
}

// A large desktop font makes the row grow with it; the boxes still share
// what is left.
TEST(Layout, RowFollowsTheDesktopFont) {
  EXPECT_EQ(LayoutScale(14), 1.0);
  EXPECT_EQ(LayoutScale(16), 1.0);
  EXPECT_EQ(LayoutScale(24), 1.5);
  WindowLayout l = ComputeLayout(480, 600, 1.5);  // q = (600 - 45) / 5 = 111
  EXPECT_EQ(l.label, (Rect{6, 6, 303, 24}));
  EXPECT_EQ(l.calc, (Rect{315, 6, 27, 27}));
  EXPECT_EQ(l.done, (Rect{447, 6, 27, 27}));
  EXPECT_EQ(l.script, (Rect{3, 39, 474, 333}));
  EXPECT_EQ(l.results, (Rect{3, 375, 474, 222}));
  EXPECT_EQ(ComputeLayout(240, 268, 1.0).script, ComputeLayout(240, 268).script);
}

TEST(TabKey, BlanksToTheNextStopEveryEightCharacters) {
  EXPECT_EQ(BlanksForTabKey(""), 8);
  EXPECT_EQ(BlanksForTabKey("VAR"), 5);
  EXPECT_EQ(BlanksForTabKey("1234567"), 1);
  EXPECT_EQ(BlanksForTabKey("12345678"), 8);
  EXPECT_EQ(BlanksForTabKey("WRITE '\xC3\xA4\xF0\x9F\x98\x80"), 8 - 9 % 8);  // ä, 😀: one each
}

// Pasted tabs would end the script: they become the blanks Tab types,
// counted from where the paste lands.
TEST(TabKey, PastedTabsBecomeBlanksToTheSameStops) {
  EXPECT_EQ(ExpandTabs("A\tB\n\tC\t", "VAR"), "A    B\n        C       ");
  EXPECT_EQ(ExpandTabs("\xC3\xA4\t;", ""), "\xC3\xA4       ;");
  EXPECT_EQ(ExpandTabs("no tabs\r\n", "x"), "no tabs\r\n");
}

// Shift+Tab takes a line back to the tab stop before its text.
TEST(TabKey, ShiftTabOutdentsToThePreviousStop) {
  const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {3, 3}, {8, 8}, {9, 1}, {10, 2}, {16, 8}};
  for (const auto& [leading, taken] : cases)
    EXPECT_EQ(BlanksForShiftTab(leading), taken) << leading;
}

}  // namespace
}  // namespace orbelin
