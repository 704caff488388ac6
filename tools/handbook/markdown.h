// The small part of Markdown that the handbook is written in, cut into
// blocks: headings, paragraphs, list items, fenced code, tables and one-line
// HTML comments (the handbook's markers). Nothing inline is parsed here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace handbook {

enum class BlockKind { kHeading, kParagraph, kListItem, kCode, kTable, kComment };

struct Block {
  BlockKind kind = BlockKind::kParagraph;
  int line = 0;      // 1-based line of the block's first line in its file
  int level = 0;     // heading level (number of #)
  std::string info;  // code: the word after the opening fence
  std::string text;  // heading text; paragraph and list item joined by blanks;
                     // code verbatim with a line end after every line;
                     // comment: what stands between <!-- and -->, trimmed
  std::vector<std::vector<std::string>> rows;  // table cells, separator row dropped
};

// Cuts a Markdown file into blocks. An unclosed code fence is an error
// (false, with the line in *error).
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
