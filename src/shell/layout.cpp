#include "shell/layout.h"

namespace orbelin {

WindowLayout ComputeLayout(int w, int h) {
  const int q = (h - 30) / 5;
  WindowLayout l;
  l.label = {4, 4, w - 118, 16};
  l.calc = {w - 110, 4, 18, 18};
  l.load = {w - 88, 4, 18, 18};
  l.save = {w - 66, 4, 18, 18};
  l.hand_off = {w - 44, 4, 18, 18};
  l.done = {w - 22, 4, 18, 18};
  l.script = {2, 26, w - 4, 3 * q};
  l.results = {2, 3 * q + 28, w - 4, (h - 30) - 3 * q};
  return l;
}

int BoxFontHeight(int dots_per_inch) {
  return (-9 * dots_per_inch) / 72;
}

}  // namespace orbelin
