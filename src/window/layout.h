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

// At `scale` 1 the row is 16 pixels high with 18-pixel buttons, which a
// desktop font of up to 16 pixels a line fits; a larger desktop font scales
// the row, the buttons and the margins with it.
WindowLayout ComputeLayout(int width, int height, double scale = 1.0);

// The scale for a desktop font of this many pixels a line: 1 up to 16,
// above that in proportion.
double LayoutScale(double line_pixels);

}  // namespace orbelin
