// The handbook's blocks as terminal text and as roff for the man page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "markdown.h"

namespace handbook {

// Inline text for the terminal, which has no fonts: code that is a single
// word (a keyword, a name, a number) is shown as it is; any other code keeps
// its backticks, so that `;` or `--` cannot be read as the sentence's own
// punctuation. Bold and links become their plain text.
std::string TerminalInline(const Inlines& spans);

// Words of text wrapped to width columns; every line but the first starts
// with `indent` blanks, the first with `first` (which counts as wide as
// indent). Words wider than a line are broken.
std::string Wrap(std::string_view text, size_t width, std::string_view first = "",
                 size_t indent = 0);

// Blocks as terminal text of at most `width` columns, except for code lines,
// which are kept as they are (indented by four). Headings of level 1 and 2
// are underlined. Marker comments are dropped; an example's output block is
// introduced by "Output:". A table too wide for columns becomes one line per
// row.
std::string RenderText(const std::vector<Block>& blocks, size_t width);

// Blocks as man-page roff for a text `width` columns wide (the page's width
// without its left margin). Level 1 headings become .SH, level 2 .SS,
// deeper ones bold paragraphs. Inline code is bold and never broken across
// lines; a table too wide for the text becomes one paragraph per row.
// `tagged`: a list item that starts with code and a colon ("`-e TEXT`: TEXT
// is the script") becomes a tagged paragraph, as man pages list options.
std::string RenderRoff(const std::vector<Block>& blocks, size_t width, bool tagged = false);

// Spans in roff: code and bold in bold, emphasis in italics.
std::string RoffInline(const Inlines& spans);

// Plain text in roff's escapes (backslash, hyphen, quotes, non-ASCII as
// \[uXXXX]).
std::string RoffText(std::string_view text);

}  // namespace handbook
