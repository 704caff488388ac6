// The handbook's Markdown, parsed by cmark-gfm (CommonMark with GFM tables)
// and cut into the flat blocks that the help generator and the example
// checker walk: headings, paragraphs, list items, fenced code, tables and
// HTML comments (the handbook's markers). Inline text comes as spans with
// their style, so each renderer decides how code and emphasis look.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace handbook {

// A run of inline text in one style. Links keep only their text.
struct Span {
  std::string text;
  bool code = false;
  bool strong = false;
  bool emph = false;
};
using Inlines = std::vector<Span>;

// The text of spans without any marking.
std::string PlainText(const Inlines& spans);

enum class BlockKind { kHeading, kParagraph, kListItem, kCode, kTable, kComment };

struct Block {
  BlockKind kind = BlockKind::kParagraph;
  int line = 0;                            // 1-based line of the block's first line in its file
  int level = 0;                           // heading level (number of #)
  std::string info;                        // code: the word after the opening fence; list item:
                                           // "-" or the item's number, "" for a later paragraph
                                           // of the same item
  std::string text;                        // heading: its plain text; code verbatim with a line
                                           // end after every line; comment: what stands between
                                           // <!-- and -->, trimmed
  Inlines spans;                           // heading, paragraph and list item
  bool quoted = false;                     // a paragraph inside a block quote
  bool tight = false;                      // a list item that follows its list's previous one
                                           // with no blank line between them
  std::vector<std::vector<Inlines>> rows;  // table cells, the header first
};

// Cuts a Markdown file into blocks. A code fence that is never closed is an
// error (false, with the line in *error): it would swallow the rest.
bool ParseBlocks(std::string_view markdown, std::vector<Block>* blocks, std::string* error);

// A section: a heading and the blocks up to the next heading of the same or
// a higher level.
struct Section {
  int level;
  int line;
  std::string heading;
  std::vector<Block> blocks;  // without the heading itself
};

// The sections of a given level, each with everything below it (deeper
// headings included).
std::vector<Section> SectionsAt(const std::vector<Block>& blocks, int level);

// Number of characters (UTF-8 code points) in a line: the width a terminal
// gives it.
size_t DisplayWidth(std::string_view text);

}  // namespace handbook
