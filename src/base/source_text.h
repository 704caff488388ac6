// Two rules about script text that the scanner, the listing and every front
// end's caret must agree on, or carets stop standing under their tokens.
#pragma once

#include <cstring>
#include <string_view>

namespace orbelin {

// A tab standing at column `column` (from 1) moves the next character to the
// column after the next multiple of 8: a tab at column 1 to 8 leads to 9, a
// tab at 8 to 17.
constexpr int ColumnAfterTab(int column) {
  return column - column % 8 + 9;
}

// A script ends at its first NUL byte: the window saves one after the text.
inline std::string_view CutAtNul(std::string_view text) {
  const void* nul = std::memchr(text.data(), 0, text.size());
  if (nul == nullptr) return text;
  return text.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - text.data()));
}

}  // namespace orbelin
