#include "frontend/caret.h"

#include "base/source_text.h"

namespace orbelin {

int CaretIndexForColumn(std::string_view line, int column) {
  const int target = column + 1;  // the interpreter's columns start at 1
  int col = 1;
  int index = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if ((c & 0xC0) == 0x80) continue;  // inside a UTF-8 sequence
    const int next = c == '\t' ? ColumnAfterTab(col) : col + 1;
    if (target < next) return index;
    col = next;
    ++index;
  }
  return index;
}

int ColumnAtCaret(std::string_view before_caret) {
  int col = 1;
  for (const char byte : before_caret) {
    const unsigned char c = static_cast<unsigned char>(byte);
    if ((c & 0xC0) == 0x80) continue;  // inside a UTF-8 sequence
    col = c == '\t' ? ColumnAfterTab(col) : col + 1;
  }
  return col;
}

}  // namespace orbelin
