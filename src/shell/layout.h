// Where the window's controls stand for a client area of w by h pixels: the
// label and the buttons B, L, S, O, C in one row at the top, then the script
// box with three fifths of the remaining height and the results box below.
#pragma once

namespace orbelin {

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct WindowLayout {
  Rect label;
  Rect calc;      // B
  Rect load;      // L
  Rect save;      // S
  Rect hand_off;  // O
  Rect done;      // C
  Rect script;
  Rect results;
};

WindowLayout ComputeLayout(int width, int height);

// The text boxes' 9-point font as a character height in pixels, negative as
// the platform's font description takes it: -9 * dpi / 72, truncated toward
// zero, from the screen's vertical pixels per logical inch.
int BoxFontHeight(int dots_per_inch);

}  // namespace orbelin
