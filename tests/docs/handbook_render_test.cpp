// The handbook's Markdown as the help generator reads and renders it: what
// cmark-gfm hands over, the terminal's 80 columns, and the man page's roff.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "markdown.h"
#include "render.h"

namespace {

std::vector<handbook::Block> Parse(const std::string& markdown) {
  std::vector<handbook::Block> blocks;
  std::string error;
  EXPECT_TRUE(handbook::ParseBlocks(markdown, &blocks, &error)) << error;
  return blocks;
}

std::string Terminal(const std::string& markdown, size_t width = 80) {
  return handbook::RenderText(Parse(markdown), width);
}

TEST(HandbookRender, TerminalText) {
  struct Case {
    const char* markdown;
    const char* text;
    size_t width = 80;
  };
  const Case cases[] = {
      // Code that is not a single word keeps its backticks, so punctuation
      // of the language stays apart from the sentence's own.
      {"Every statement ends with `;`; `--` starts a comment.\n",
       "Every statement ends with `;`; `--` starts a comment.\n"},
      {"Use `CP` or `E111`, **not** [the map](map.md).\n", "Use CP or E111, not the map.\n"},
      // A paragraph's lines are joined and wrapped again.
      {"one two\nthree four five\n", "one two three\nfour five\n", 13},
      {"# Title\n\ntext\n", "Title\n=====\n\ntext\n"},
      // A list stays together; a later paragraph of an item is indented.
      {"- a b c d e f\n- g\n\n  more\n", "- a b c d e\n  f\n- g\n\n  more\n", 11},
      {"3. x\n4. y\n", "3. x\n4. y\n"},
      // A quotation is indented.
      {"> a b c d\n", "    a b\n    c d\n", 8},
      // An escaped bar is a bar, not a cell's end.
      {"| Op | Means |\n|---|---|\n| `\\|` | root |\n", "Op   Means\n----------\n`|`  root\n"},
      // Too wide for columns: one line per row, cells named by the header.
      {"| Name | Error | Notes |\n|---|---|---|\n| `CP` | 0.08 mm | nan near the antipode |\n",
       "- CP: Error 0.08 mm;\n  Notes nan near the\n  antipode\n", 20},
      // Markers vanish; an example's output is introduced.
      {"<!-- example -->\n```orbelin\nWRITE 1;\n```\n```text\n1\n```\n",
       "    WRITE 1;\n\nOutput:\n    1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.markdown);
    EXPECT_EQ(Terminal(c.markdown, c.width), c.text);
  }
}

TEST(HandbookRender, BlocksCarryLinesAndMarkers) {
  std::vector<handbook::Block> blocks =
      Parse("# A\n\n<!-- example: continues -->\n```orbelin\nX;\n```\n");
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(blocks[1].kind, handbook::BlockKind::kComment);
  EXPECT_EQ(blocks[1].text, "example: continues");
  EXPECT_EQ(blocks[2].line, 4);
  EXPECT_EQ(blocks[2].info, "orbelin");
  EXPECT_EQ(blocks[2].text, "X;\n");

  // A fence that is never closed would swallow the rest of the chapter.
  std::string error;
  EXPECT_FALSE(handbook::ParseBlocks("text\n\n```orbelin\nX;\n", &blocks, &error));
  EXPECT_EQ(error, "line 3: code fence not closed");
}

TEST(HandbookRender, Roff) {
  // Code is bold and its blanks do not break; what groff would print as
  // typographic quotes, dashes or accents is escaped so it can be copied.
  EXPECT_EQ(handbook::RenderRoff(Parse("Write `WRITE 'a-b';` now.\n"), 73),
            ".PP\nWrite \\fBWRITE\\ \\(aqa\\-b\\(aq;\\fR now.\n");
  EXPECT_EQ(handbook::RoffText(".x ä \\"), "\\&.x \\[u00E4] \\e");
  // A tight list's items stand close; a loose list keeps its blank lines.
  EXPECT_EQ(handbook::RenderRoff(Parse("- a\n- b\n"), 73),
            ".IP \"\\- \" 3\na\n.PD 0\n.IP \"\\- \" 3\nb\n.PD\n");
  EXPECT_EQ(handbook::RenderRoff(Parse("- a\n\n- b\n"), 73),
            ".IP \"\\- \" 3\na\n.IP \"\\- \" 3\nb\n");
  // A code block indented when it fits, at the margin when it does not.
  EXPECT_EQ(handbook::RenderRoff(Parse("```\nabc\n```\n"), 7), ".PP\n.RS 4\n.nf\nabc\n.fi\n.RE\n");
  EXPECT_EQ(handbook::RenderRoff(Parse("```\nabcd\n```\n"), 7), ".PP\n.nf\nabcd\n.fi\n");
}

}  // namespace
