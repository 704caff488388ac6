#include "shell/layout.h"

#include <algorithm>

#include "base/maths.h"

namespace orbelin {

WindowLayout ComputeLayout(int w, int h, double scale) {
  const auto u = [scale](int pixels) { return static_cast<int>(maths::lround(pixels * scale)); };
  const int q = (h - u(30)) / 5;
  WindowLayout l;
  l.label = {u(4), u(4), w - u(118), u(16)};
  l.calc = {w - u(110), u(4), u(18), u(18)};
  l.load = {w - u(88), u(4), u(18), u(18)};
  l.save = {w - u(66), u(4), u(18), u(18)};
  l.hand_off = {w - u(44), u(4), u(18), u(18)};
  l.done = {w - u(22), u(4), u(18), u(18)};
  l.script = {u(2), u(26), w - u(4), 3 * q};
  l.results = {u(2), 3 * q + u(28), w - u(4), (h - u(30)) - 3 * q};
  return l;
}

double LayoutScale(double line_pixels) {
  return std::max(1.0, line_pixels / 16.0);
}

}  // namespace orbelin
