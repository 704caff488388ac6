#include "render.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace handbook {
namespace {

// Byte length of the UTF-8 sequence that starts with c.
size_t SequenceLength(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 1;
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == ' ') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

// Splits a word into pieces of at most `room` columns.
std::vector<std::string> Pieces(const std::string& word, size_t room) {
  std::vector<std::string> pieces;
  std::string piece;
  size_t width = 0;
  for (size_t i = 0; i < word.size();) {
    size_t len = SequenceLength(static_cast<unsigned char>(word[i]));
    if (width == room) {
      pieces.push_back(std::move(piece));
      piece.clear();
      width = 0;
    }
    piece.append(word, i, len);
    ++width;
    i += len;
  }
  if (!piece.empty()) pieces.push_back(std::move(piece));
  return pieces;
}

// Whether a code block at index i is the output of an example: it follows
// an example's script, or stands right after an example-file marker.
bool IsExampleOutput(const std::vector<Block>& blocks, size_t i) {
  if (blocks[i].kind != BlockKind::kCode || blocks[i].info != "text" || i == 0) return false;
  const Block& before = blocks[i - 1];
  if (before.kind == BlockKind::kComment) return before.text.starts_with("example-file:");
  return before.kind == BlockKind::kCode && before.info == "orbelin";
}

std::string ListMarkerText(const std::string& info) {
  return info == "-" ? "- " : info + ". ";
}

std::vector<std::string> CodeLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool IsWord(std::string_view code) {
  if (code.empty()) return false;
  for (unsigned char c : code) {
    if (!std::isalnum(c) && c != '_') return false;
  }
  return true;
}

using Row = std::vector<std::string>;

// A table's cells as terminal text.
std::vector<Row> TextRows(const Block& b) {
  std::vector<Row> rows;
  for (const auto& row : b.rows) {
    Row cells;
    for (const Inlines& cell : row) cells.push_back(TerminalInline(cell));
    rows.push_back(std::move(cells));
  }
  return rows;
}

std::vector<size_t> ColumnWidths(const std::vector<Row>& rows) {
  std::vector<size_t> widths;
  for (const Row& row : rows) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
  }
  return widths;
}

// Columns two blanks apart; the width of the widest line.
size_t TableWidth(const std::vector<size_t>& widths) {
  size_t total = 0;
  for (size_t w : widths) total += w + 2;
  return total > 0 ? total - 2 : 0;
}

std::string PaddedRow(const Row& row, const std::vector<size_t>& widths) {
  std::string line;
  for (size_t c = 0; c < row.size(); ++c) {
    line += row[c];
    if (c + 1 < row.size()) line.append(widths[c] - DisplayWidth(row[c]) + 2, ' ');
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// A row of a table too wide for columns, as one line: "first: name cell;
// name cell", each cell after the first named by its header.
std::string RowAsLine(const Row& header, const Row& row) {
  std::string line;
  for (size_t c = 0; c < row.size(); ++c) {
    if (c == 1) line += ": ";
    if (c > 1) line += "; ";
    if (c > 0 && c < header.size()) line += header[c] + " ";
    line += row[c];
  }
  return line;
}

// Code and tables stand indented by four, unless their lines would then
// run past the page's width.
constexpr size_t kRoffIndent = 4;

std::string Indented(size_t widest, size_t width, const std::string& then) {
  return (widest + kRoffIndent <= width ? ".RS 4\n" : "") + then;
}

std::string Unindented(size_t widest, size_t width) {
  return widest + kRoffIndent <= width ? ".RE\n" : "";
}

}  // namespace

std::string TerminalInline(const Inlines& spans) {
  std::string out;
  for (const Span& s : spans) {
    if (s.code && !IsWord(s.text)) {
      out += '`' + s.text + '`';
    } else {
      out += s.text;
    }
  }
  return out;
}

std::string Wrap(std::string_view text, size_t width, std::string_view first, size_t indent) {
  std::string out(first);
  out.append(indent > first.size() ? indent - first.size() : 0, ' ');
  const size_t room = width > indent ? width - indent : 1;
  size_t used = 0;  // columns used on the current line after the indent
  for (const std::string& word : Words(text)) {
    for (const std::string& piece : Pieces(word, room)) {
      size_t w = DisplayWidth(piece);
      if (used > 0 && used + 1 + w > room) {
        out += '\n';
        out.append(indent, ' ');
        used = 0;
      }
      if (used > 0) {
        out += ' ';
        ++used;
      }
      out += piece;
      used += w;
    }
  }
  out += '\n';
  return out;
}

std::string RenderText(const std::vector<Block>& blocks, size_t width) {
  std::string out;
  std::string marker = "- ";  // of the list item last written
  for (size_t i = 0; i < blocks.size(); ++i) {
    const Block& b = blocks[i];
    if (b.kind == BlockKind::kComment) continue;
    // A blank line between blocks, but a list stays together.
    bool in_list = i > 0 && b.kind == BlockKind::kListItem && !b.info.empty() &&
                   blocks[i - 1].kind == BlockKind::kListItem;
    if (!out.empty() && !in_list) out += '\n';
    switch (b.kind) {
      case BlockKind::kHeading: {
        std::string text = TerminalInline(b.spans);
        out += Wrap(text, width);
        if (b.level <= 2) {
          out.append(std::min(DisplayWidth(text), width), b.level == 1 ? '=' : '-');
          out += '\n';
        }
        break;
      }
      case BlockKind::kParagraph:
        // A quotation stands indented, as in a letter.
        out += b.quoted ? Wrap(TerminalInline(b.spans), width, "    ", 4)
                        : Wrap(TerminalInline(b.spans), width);
        break;
      case BlockKind::kListItem:
        if (!b.info.empty()) marker = ListMarkerText(b.info);
        out += Wrap(TerminalInline(b.spans), width, b.info.empty() ? "" : marker, marker.size());
        break;
      case BlockKind::kCode:
        if (IsExampleOutput(blocks, i)) out += "Output:\n";
        for (const std::string& line : CodeLines(b.text)) {
          out += line.empty() ? "" : "    " + line;
          out += '\n';
        }
        break;
      case BlockKind::kTable: {
        std::vector<Row> rows = TextRows(b);
        std::vector<size_t> widths = ColumnWidths(rows);
        if (TableWidth(widths) <= width) {
          for (size_t r = 0; r < rows.size(); ++r) {
            out += PaddedRow(rows[r], widths) + '\n';
            if (r == 0 && rows.size() > 1) {
              out.append(TableWidth(widths), '-');
              out += '\n';
            }
          }
        } else {
          for (size_t r = 1; r < rows.size(); ++r) {
            out += Wrap(RowAsLine(rows.front(), rows[r]), width, "- ", 2);
          }
        }
        break;
      }
      case BlockKind::kComment:
        break;
    }
  }
  return out;
}

std::string RoffText(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      size_t len = SequenceLength(c);
      unsigned cp = len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
      for (size_t k = 1; k < len && i + k < text.size(); ++k) {
        cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      }
      char buf[16];
      std::snprintf(buf, sizeof buf, "\\[u%04X]", cp);
      out += buf;
      i += len;
      continue;
    }
    // The ASCII characters that groff would otherwise print as typographic
    // look-alikes, which a reader could not copy into a script.
    switch (c) {
      case '\\':
        out += "\\e";
        break;
      case '-':
        out += "\\-";
        break;
      case '\'':
        out += "\\(aq";
        break;
      case '`':
        out += "\\(ga";
        break;
      case '^':
        out += "\\(ha";
        break;
      case '~':
        out += "\\(ti";
        break;
      case '"':
        out += "\\(dq";
        break;
      default:
        out += static_cast<char>(c);
    }
    ++i;
  }
  // A line that starts with a dot or an apostrophe would be a request.
  if (out.starts_with(".")) out.insert(0, "\\&");
  return out;
}

std::string RoffInline(const Inlines& spans) {
  std::string out;
  for (const Span& s : spans) {
    std::string text = RoffText(s.text);
    if (s.code) {
      // Blanks in code do not break the line.
      std::string kept;
      for (char c : text) kept += c == ' ' ? std::string("\\ ") : std::string(1, c);
      out += "\\fB" + kept + "\\fR";
    } else if (s.strong) {
      out += "\\fB" + text + "\\fR";
    } else if (s.emph) {
      out += "\\fI" + text + "\\fR";
    } else {
      out += text;
    }
  }
  if (out.starts_with(".")) out.insert(0, "\\&");
  return out;
}

namespace {

// A list item that starts with code and says what it is after ": " ("`-e
// TEXT`: TEXT is the script") as a tag and its text; false for any other.
bool SplitTag(const Inlines& spans, Inlines* tag, Inlines* text) {
  if (spans.empty() || !spans.front().code) return false;
  for (size_t i = 0; i < spans.size(); ++i) {
    if (spans[i].code) continue;
    const size_t colon = spans[i].text.find(": ");
    if (colon == std::string::npos) continue;
    tag->assign(spans.begin(), spans.begin() + static_cast<long>(i));
    if (colon > 0) tag->push_back(Span{spans[i].text.substr(0, colon)});
    text->push_back(Span{spans[i].text.substr(colon + 2)});
    text->insert(text->end(), spans.begin() + static_cast<long>(i) + 1, spans.end());
    return true;
  }
  return false;
}

}  // namespace

std::string RenderRoff(const std::vector<Block>& blocks, size_t width, bool tagged) {
  std::string out;
  for (size_t i = 0; i < blocks.size(); ++i) {
    const Block& b = blocks[i];
    switch (b.kind) {
      case BlockKind::kHeading:
        if (b.level == 1) {
          std::string upper = b.text;
          for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
          out += ".SH \"" + RoffText(upper) + "\"\n";
        } else if (b.level == 2) {
          out += ".SS \"" + RoffText(b.text) + "\"\n";
        } else {
          out += ".PP\n\\fB" + RoffText(b.text) + "\\fR\n";
        }
        break;
      case BlockKind::kParagraph:
        out += b.quoted ? ".PP\n.RS 4\n" + RoffInline(b.spans) + "\n.RE\n"
                        : ".PP\n" + RoffInline(b.spans) + "\n";
        break;
      case BlockKind::kListItem: {
        Inlines tag, text;
        if (tagged && !b.info.empty() && SplitTag(b.spans, &tag, &text)) {
          // An option or a value with what it does: a tagged paragraph.
          out += ".TP\n" + RoffInline(tag) + "\n" + RoffInline(text) + "\n";
          break;
        }
        if (tagged && b.info.empty()) {
          out += ".IP\n" + RoffInline(b.spans) + "\n";
          break;
        }
        // The items of a tight list stand without blank lines between them.
        if (b.tight) out += ".PD 0\n";
        out += b.info.empty() ? ".IP \"\" 3\n"
                              : ".IP \"" + RoffText(ListMarkerText(b.info)) + "\" 3\n";
        out += RoffInline(b.spans) + "\n";
        if (b.tight) out += ".PD\n";
        break;
      }
      case BlockKind::kCode: {
        out += IsExampleOutput(blocks, i) ? ".PP\nOutput:\n" : ".PP\n";
        std::vector<std::string> lines = CodeLines(b.text);
        size_t widest = 0;
        for (const std::string& line : lines) widest = std::max(widest, DisplayWidth(line));
        out += Indented(widest, width, ".nf\n");
        for (const std::string& line : lines) out += RoffText(line) + "\n";
        out += ".fi\n" + Unindented(widest, width);
        break;
      }
      case BlockKind::kTable: {
        std::vector<Row> rows = TextRows(b);
        std::vector<size_t> widths = ColumnWidths(rows);
        if (TableWidth(widths) <= width) {
          out += ".PP\n" + Indented(TableWidth(widths), width, ".nf\n");
          for (const Row& row : rows) out += RoffText(PaddedRow(row, widths)) + "\n";
          out += ".fi\n" + Unindented(TableWidth(widths), width);
        } else {
          // One item per row, without blank lines between them.
          out += ".PP\n.PD 0\n";
          for (size_t r = 1; r < rows.size(); ++r) {
            out += ".IP \"\\(bu\" 3\n" + RoffText(RowAsLine(rows.front(), rows[r])) + "\n";
          }
          out += ".PD\n";
        }
        break;
      }
      case BlockKind::kComment:
        break;
    }
  }
  return out;
}

}  // namespace handbook
