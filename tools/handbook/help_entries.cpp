#include "help_entries.h"

#include <cctype>

namespace handbook {
namespace {

std::string Trim(std::string s) {
  while (!s.empty() && s.front() == ' ') s.erase(s.begin());
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// The Markdown between a heading's line and the next heading of the same or
// a higher level (or the end), blank lines at both ends removed.
std::string SectionMarkdown(const HandbookFile& file, int heading_line, int level) {
  int end_line = 1 << 30;
  for (const Block& b : file.blocks) {
    if (b.kind == BlockKind::kHeading && b.line > heading_line && b.level <= level) {
      end_line = b.line;
      break;
    }
  }
  std::string out;
  int line = 1;
  size_t start = 0;
  while (start < file.text.size()) {
    size_t end = file.text.find('\n', start);
    if (end == std::string::npos) end = file.text.size();
    if (line > heading_line && line < end_line) {
      out.append(file.text, start, end - start);
      out += '\n';
    }
    ++line;
    start = end + 1;
  }
  while (!out.empty() && out.front() == '\n') out.erase(out.begin());
  while (out.size() > 1 && out[out.size() - 1] == '\n' && out[out.size() - 2] == '\n') {
    out.pop_back();
  }
  return out;
}

// "E111" -> 111, else -1.
int Code(const std::string& key) {
  if (key.size() < 2 || key[0] != 'E') return -1;
  int n = 0;
  for (size_t i = 1; i < key.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(key[i]))) return -1;
    n = n * 10 + (key[i] - '0');
  }
  return n;
}

// Every level-3 section with its level-2 group, heading split at ": ".
bool Sections(const HandbookFile& file, std::vector<Entry>* entries, EntryKind kind,
              std::string* error) {
  std::string group;
  Entry* open = nullptr;
  for (const Block& b : file.blocks) {
    if (b.kind == BlockKind::kHeading && b.level <= 2) {
      if (b.level == 2) group = b.text;
      open = nullptr;
      continue;
    }
    if (b.kind == BlockKind::kHeading && b.level == 3) {
      size_t colon = b.text.find(": ");
      if (colon == std::string::npos) {
        *error = file.name + ".md:" + std::to_string(b.line) + ": heading without \"KEY: title\"";
        return false;
      }
      Entry e;
      e.kind = kind;
      std::string keys = b.text.substr(0, colon);
      size_t start = 0;
      while (start <= keys.size()) {
        size_t comma = keys.find(',', start);
        if (comma == std::string::npos) comma = keys.size();
        std::string key = Trim(keys.substr(start, comma - start));
        if (!key.empty()) e.keys.push_back(key);
        start = comma + 1;
      }
      e.group = group;
      e.title = Trim(b.text.substr(colon + 2));
      e.markdown = SectionMarkdown(file, b.line, 3);
      entries->push_back(std::move(e));
      open = &entries->back();
      continue;
    }
    if (open) open->blocks.push_back(b);
  }
  return true;
}

}  // namespace

bool KeywordEntries(const HandbookFile& file, std::vector<Entry>* entries, std::string* error) {
  return Sections(file, entries, EntryKind::kKeyword, error);
}

bool MessageEntries(const HandbookFile& file, std::vector<Entry>* entries, std::string* error) {
  size_t first = entries->size();
  if (!Sections(file, entries, EntryKind::kMessage, error)) return false;
  for (size_t i = first; i < entries->size(); ++i) {
    Entry& e = (*entries)[i];
    // "E4 to E96" is one key naming a range; "E113" a single number.
    const std::string& key = e.keys.front();
    size_t to = key.find(" to ");
    int a = Code(to == std::string::npos ? key : key.substr(0, to));
    int b = to == std::string::npos ? a : Code(key.substr(to + 4));
    if (a < 0 || b < a || e.keys.size() != 1) {
      *error = file.name + ".md: message heading '" + key + "' is not \"E<n>\" or \"E<n> to E<m>\"";
      return false;
    }
    e.first_code = a;
    e.last_code = b;
  }
  return true;
}

}  // namespace handbook
