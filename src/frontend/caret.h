// From the column that the interpreter reports to a place in the box's line.
#pragma once

#include <string_view>

namespace orbelin {

// The 0-based character index in `line` (UTF-8) of the character that the
// interpreter places at 0-based `column`. The interpreter counts a tab as
// reaching the next of its tab stops (a character after a tab at 1-based
// column k stands at k - k % 8 + 9), the box counts it as one character.
// A column past the line's end gives the line's length.
int CaretIndexForColumn(std::string_view line, int column);

// The other way: the 1-based column, as the interpreter counts it and the
// diagnostics say it, of the character after `before_caret` (the line's
// text before the caret, UTF-8).
int ColumnAtCaret(std::string_view before_caret);

}  // namespace orbelin
