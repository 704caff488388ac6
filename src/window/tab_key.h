// The Tab key in the script box. A tab character ends a script outside
// comments and strings, so the key types blanks instead: as many as bring
// the caret to the next tab stop, one every 8 columns. Pasted text follows
// the same rule, and Tab over a selection indents its lines.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

inline constexpr int kTabWidth = 8;

// The blanks for the Tab key with `line_before_caret` (UTF-8) to the left of
// the caret: from 1 to 8. Columns count characters, as the listing does.
int BlanksForTabKey(std::string_view line_before_caret);

// Pasted text (UTF-8) with each tab character turned into the blanks the
// Tab key would type there; its first line starts after
// `line_before_caret`.
std::string ExpandTabs(std::string_view text, std::string_view line_before_caret);

// Shift+Tab: the blanks to take from the start of a line that begins with
// `leading_blanks` of them, back to the tab stop before (0 when it has
// none).
int BlanksForShiftTab(int leading_blanks);

}  // namespace orbelin
