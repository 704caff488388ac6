// The handbook's blocks as terminal text and as roff for the man page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "markdown.h"

namespace handbook {

// Inline Markdown removed for the terminal: `code`, **bold**, [text](link)
// and \| become their plain text.
std::string PlainInline(std::string_view text);

// Words of text wrapped to width columns; every line but the first starts
// with `indent` blanks, the first with `first` (which counts as wide as
// indent). Words wider than a line are broken.
std::string Wrap(std::string_view text, size_t width, std::string_view first = "",
                 size_t indent = 0);

// Blocks as terminal text of at most `width` columns, except for code lines,
// which are kept as they are (indented by four). Headings of level `top` and
// above are underlined. Marker comments are dropped; an example's output
// block is introduced by "Output:".
std::string RenderText(const std::vector<Block>& blocks, size_t width);

// Blocks as man-page roff. Level 1 headings become .SH, level 2 .SS, deeper
// ones bold paragraphs.
std::string RenderRoff(const std::vector<Block>& blocks);

// A text in roff's escapes (backslash, hyphen, non-ASCII as \[uXXXX]);
// inline Markdown becomes bold.
std::string RoffInline(std::string_view text);

}  // namespace handbook
