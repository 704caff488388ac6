#include "shell/layout.h"

#include <gtest/gtest.h>

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

TEST(Layout, BoxFontIsNinePoints) {
  EXPECT_EQ(BoxFontHeight(96), -12);
  EXPECT_EQ(BoxFontHeight(131), -16);  // -16.375 truncated toward zero
  EXPECT_EQ(BoxFontHeight(72), -9);
  EXPECT_EQ(BoxFontHeight(192), -24);
}

}  // namespace
}  // namespace orbelin
