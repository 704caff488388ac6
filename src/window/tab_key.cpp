#include "window/tab_key.h"

namespace orbelin {

int BlanksForTabKey(std::string_view line_before_caret) {
  int column = 0;
  for (char c : line_before_caret) {
    // Every byte but a UTF-8 continuation byte starts a character.
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column;
  }
  return kTabWidth - column % kTabWidth;
}

std::string ExpandTabs(std::string_view text, std::string_view line_before_caret) {
  std::string out;
  std::string line(line_before_caret);
  for (char c : text) {
    if (c == '\t') {
      const std::string blanks(static_cast<size_t>(BlanksForTabKey(line)), ' ');
      out += blanks;
      line += blanks;
    } else {
      out += c;
      if (c == '\n') {
        line.clear();
      } else {
        line += c;
      }
    }
  }
  return out;
}

int BlanksForShiftTab(int leading_blanks) {
  if (leading_blanks <= 0) return 0;
  return leading_blanks - (leading_blanks - 1) / kTabWidth * kTabWidth;
}

}  // namespace orbelin
