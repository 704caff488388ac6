// Where a token stands in the script text, as the scanner delivers it and
// as the diagnostics remember it.
#pragma once

#include <cstddef>

namespace orbelin {

struct SourceLocation {
  int line = 0;
  int column = 0;
  size_t position = 0;  // byte index in the text
};

struct Token {
  int terminal = -1;        // -1: no token (before the first one)
  SourceLocation location;  // line from 1; column from 1 with tabs expanded
  size_t position = 0;      // index of the first byte in the text
  size_t length = 0;        // bytes
};

}  // namespace orbelin
