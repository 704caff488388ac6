#include "markdown.h"

#include <cctype>

namespace handbook {
namespace {

Block NewBlock(BlockKind kind, int line, int level = 0) {
  Block b;
  b.kind = kind;
  b.line = line;
  b.level = level;
  return b;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back(text);
      break;
    }
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool IsFence(std::string_view line) {
  return line.starts_with("```");
}

int HeadingLevel(std::string_view line) {
  int n = 0;
  while (n < static_cast<int>(line.size()) && line[n] == '#') ++n;
  if (n == 0 || n > 6 || n >= static_cast<int>(line.size()) || line[n] != ' ') return 0;
  return n;
}

// "- item" or "12. item": the length of the marker with its blank, else 0.
size_t ListMarker(std::string_view line) {
  if (line.starts_with("- ") || line.starts_with("* ")) return 2;
  size_t i = 0;
  while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
  if (i > 0 && i + 1 < line.size() && line[i] == '.' && line[i + 1] == ' ') return i + 2;
  return 0;
}

bool IsComment(std::string_view line) {
  std::string_view t = Trim(line);
  return t.starts_with("<!--") && t.ends_with("-->");
}

std::vector<std::string> TableCells(std::string_view line) {
  std::string_view t = Trim(line);
  if (t.starts_with("|")) t.remove_prefix(1);
  if (t.ends_with("|") && !t.ends_with("\\|")) t.remove_suffix(1);
  std::vector<std::string> cells;
  std::string cell;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '\\' && i + 1 < t.size() && t[i + 1] == '|') {
      cell += '|';
      ++i;
    } else if (t[i] == '|') {
      cells.emplace_back(Trim(cell));
      cell.clear();
    } else {
      cell += t[i];
    }
  }
  cells.emplace_back(Trim(cell));
  return cells;
}

bool IsSeparatorRow(const std::vector<std::string>& cells) {
  for (const std::string& c : cells) {
    if (c.empty()) return false;
    for (char ch : c) {
      if (ch != '-' && ch != ':') return false;
    }
  }
  return !cells.empty();
}

}  // namespace

bool ParseBlocks(std::string_view markdown, std::vector<Block>* blocks, std::string* error) {
  std::vector<std::string_view> lines = Lines(markdown);
  size_t i = 0;
  auto line_no = [&](size_t k) { return static_cast<int>(k + 1); };
  while (i < lines.size()) {
    std::string_view line = lines[i];
    std::string_view trimmed = Trim(line);
    if (trimmed.empty()) {
      ++i;
      continue;
    }
    if (IsFence(line)) {
      Block b = NewBlock(BlockKind::kCode, line_no(i));
      b.info = std::string(Trim(line.substr(3)));
      size_t k = i + 1;
      while (k < lines.size() && !IsFence(lines[k])) {
        b.text.append(lines[k]);
        b.text += '\n';
        ++k;
      }
      if (k >= lines.size()) {
        *error = "line " + std::to_string(line_no(i)) + ": code fence not closed";
        return false;
      }
      blocks->push_back(std::move(b));
      i = k + 1;
      continue;
    }
    if (int level = HeadingLevel(line)) {
      Block b = NewBlock(BlockKind::kHeading, line_no(i), level);
      b.text = std::string(Trim(line.substr(level + 1)));
      blocks->push_back(std::move(b));
      ++i;
      continue;
    }
    if (IsComment(line)) {
      Block b = NewBlock(BlockKind::kComment, line_no(i));
      std::string_view t = Trim(line);
      b.text = std::string(Trim(t.substr(4, t.size() - 7)));
      blocks->push_back(std::move(b));
      ++i;
      continue;
    }
    if (trimmed.starts_with("|")) {
      Block b = NewBlock(BlockKind::kTable, line_no(i));
      while (i < lines.size() && Trim(lines[i]).starts_with("|")) {
        std::vector<std::string> cells = TableCells(lines[i]);
        if (!IsSeparatorRow(cells)) b.rows.push_back(std::move(cells));
        ++i;
      }
      blocks->push_back(std::move(b));
      continue;
    }
    size_t marker = ListMarker(line);
    Block b = NewBlock(marker ? BlockKind::kListItem : BlockKind::kParagraph, line_no(i));
    b.info = marker ? std::string(line.substr(0, marker - 1)) : "";
    b.text = std::string(Trim(line.substr(marker)));
    ++i;
    // Continuation lines: up to a blank line or the start of another block.
    while (i < lines.size()) {
      std::string_view next = lines[i];
      std::string_view t = Trim(next);
      if (t.empty() || IsFence(next) || HeadingLevel(next) || IsComment(next) ||
          t.starts_with("|") || ListMarker(next)) {
        break;
      }
      b.text += ' ';
      b.text.append(t);
      ++i;
    }
    blocks->push_back(std::move(b));
  }
  return true;
}

std::vector<Section> SectionsAt(const std::vector<Block>& blocks, int level) {
  std::vector<Section> sections;
  Section* open = nullptr;
  for (const Block& b : blocks) {
    if (b.kind == BlockKind::kHeading && b.level <= level) {
      if (b.level == level) {
        sections.push_back(Section{b.level, b.line, b.text, {}});
        open = &sections.back();
      } else {
        open = nullptr;
      }
      continue;
    }
    if (open) open->blocks.push_back(b);
  }
  return sections;
}

size_t DisplayWidth(std::string_view text) {
  size_t n = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

}  // namespace handbook
