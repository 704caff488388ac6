#include "render.h"

#include <algorithm>
#include <cstdio>

#include "examples.h"

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

std::string ListMarkerText(const Block& b) {
  return b.info == "-" || b.info == "*" ? "- " : b.info + ". ";
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

// Column widths of a table in display columns.
std::vector<size_t> ColumnWidths(const std::vector<std::vector<std::string>>& rows) {
  std::vector<size_t> widths;
  for (const auto& row : rows) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (size_t c = 0; c < row.size(); ++c) {
      widths[c] = std::max(widths[c], DisplayWidth(PlainInline(row[c])));
    }
  }
  return widths;
}

std::string PaddedRow(const std::vector<std::string>& row, const std::vector<size_t>& widths,
                      bool plain) {
  std::string line;
  for (size_t c = 0; c < row.size(); ++c) {
    std::string cell = plain ? PlainInline(row[c]) : row[c];
    line += cell;
    if (c + 1 < row.size()) {
      line.append(widths[c] - DisplayWidth(plain ? cell : PlainInline(row[c])) + 2, ' ');
    }
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

std::string PlainInline(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '`') continue;
    if (c == '*' && i + 1 < text.size() && text[i + 1] == '*') {
      ++i;
      continue;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '|' || text[i + 1] == '*')) {
      out += text[++i];
      continue;
    }
    if (c == '[') {
      size_t close = text.find("](", i);
      size_t end = close == std::string_view::npos ? close : text.find(')', close);
      if (end != std::string_view::npos) {
        out += PlainInline(text.substr(i + 1, close - i - 1));
        i = end;
        continue;
      }
    }
    out += c;
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
  for (size_t i = 0; i < blocks.size(); ++i) {
    const Block& b = blocks[i];
    if (b.kind == BlockKind::kComment) continue;
    // A blank line between blocks, but a list stays together.
    bool in_list =
        i > 0 && b.kind == BlockKind::kListItem && blocks[i - 1].kind == BlockKind::kListItem;
    if (!out.empty() && !in_list) out += '\n';
    switch (b.kind) {
      case BlockKind::kHeading: {
        std::string text = PlainInline(b.text);
        out += Wrap(text, width);
        if (b.level <= 2) {
          out.append(std::min(DisplayWidth(text), width), b.level == 1 ? '=' : '-');
          out += '\n';
        }
        break;
      }
      case BlockKind::kParagraph:
        out += Wrap(PlainInline(b.text), width);
        break;
      case BlockKind::kListItem: {
        std::string marker = ListMarkerText(b);
        out += Wrap(PlainInline(b.text), width, marker, marker.size());
        break;
      }
      case BlockKind::kCode:
        if (IsExampleOutput(blocks, i)) out += "Output:\n";
        for (const std::string& line : CodeLines(b.text)) {
          out += line.empty() ? "" : "    " + line;
          out += '\n';
        }
        break;
      case BlockKind::kTable: {
        std::vector<size_t> widths = ColumnWidths(b.rows);
        size_t total = 0;
        for (size_t w : widths) total += w + 2;
        if (total <= width + 2) {
          for (size_t r = 0; r < b.rows.size(); ++r) {
            out += PaddedRow(b.rows[r], widths, true) + '\n';
            if (r == 0 && b.rows.size() > 1) {
              out.append(std::min(total - 2, width), '-');
              out += '\n';
            }
          }
        } else {
          // Too wide for columns: one wrapped line per row, the header's
          // names before the cells.
          const auto& header = b.rows.front();
          for (size_t r = 1; r < b.rows.size(); ++r) {
            std::string line;
            for (size_t c = 0; c < b.rows[r].size(); ++c) {
              if (c == 1) line += ": ";
              if (c > 1) line += "; ";
              if (c > 0 && c < header.size()) line += PlainInline(header[c]) + " ";
              line += PlainInline(b.rows[r][c]);
            }
            out += Wrap(line, width, "- ", 2);
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

std::string RoffInline(std::string_view text) {
  std::string out;
  bool bold = false;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '`' || (c == '*' && i + 1 < text.size() && text[i + 1] == '*')) {
      out += bold ? "\\fR" : "\\fB";
      bold = !bold;
      i += c == '`' ? 1 : 2;
      continue;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '|' || text[i + 1] == '*')) {
      out += text[i + 1];
      i += 2;
      continue;
    }
    if (c == '[') {
      size_t close = text.find("](", i);
      size_t end = close == std::string_view::npos ? close : text.find(')', close);
      if (end != std::string_view::npos) {
        out += RoffInline(text.substr(i + 1, close - i - 1));
        i = end + 1;
        continue;
      }
    }
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else if (c == '\'' && i == 0) {
      out += "\\&'";
    } else if (c == '.' && i == 0) {
      out += "\\&.";
    } else if (c >= 0x80) {
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
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  if (bold) out += "\\fR";
  return out;
}

// One line as it stands, in roff's escapes, for a no-fill block.
static std::string RoffVerbatim(std::string_view line) {
  std::string out;
  if (!line.empty() && (line[0] == '.' || line[0] == '\'')) out += "\\&";
  for (size_t i = 0; i < line.size();) {
    unsigned char c = static_cast<unsigned char>(line[i]);
    if (c >= 0x80) {
      size_t len = SequenceLength(c);
      out += RoffInline(line.substr(i, len));
      i += len;
      continue;
    }
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out;
}

std::string RenderRoff(const std::vector<Block>& blocks) {
  std::string out;
  for (size_t i = 0; i < blocks.size(); ++i) {
    const Block& b = blocks[i];
    switch (b.kind) {
      case BlockKind::kHeading:
        if (b.level == 1) {
          std::string upper = b.text;
          for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
          out += ".SH \"" + RoffInline(upper) + "\"\n";
        } else if (b.level == 2) {
          out += ".SS \"" + RoffInline(b.text) + "\"\n";
        } else {
          out += ".PP\n\\fB" + RoffInline(PlainInline(b.text)) + "\\fR\n";
        }
        break;
      case BlockKind::kParagraph:
        out += ".PP\n" + RoffInline(b.text) + "\n";
        break;
      case BlockKind::kListItem:
        out += ".IP \"" + RoffInline(ListMarkerText(b)) + "\" 3\n" + RoffInline(b.text) + "\n";
        break;
      case BlockKind::kCode:
        out += IsExampleOutput(blocks, i) ? ".PP\nOutput:\n" : ".PP\n";
        out += ".RS 4\n.nf\n";
        for (const std::string& line : CodeLines(b.text)) out += RoffVerbatim(line) + "\n";
        out += ".fi\n.RE\n";
        break;
      case BlockKind::kTable: {
        std::vector<size_t> widths = ColumnWidths(b.rows);
        out += ".PP\n.RS 4\n.nf\n";
        for (const auto& row : b.rows) out += RoffVerbatim(PaddedRow(row, widths, true)) + "\n";
        out += ".fi\n.RE\n";
        break;
      }
      case BlockKind::kComment:
        break;
    }
  }
  return out;
}

}  // namespace handbook
