#include "shell/tab_key.h"

namespace orbelin {

int BlanksForTabKey(std::string_view line_before_caret) {
  int column = 0;
  for (char c : line_before_caret) {
    // Every byte but a UTF-8 continuation byte starts a character.
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column;
  }
  return kTabWidth - column % kTabWidth;
}

}  // namespace orbelin
