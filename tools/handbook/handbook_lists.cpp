// handbook-lists: checks the handbook's keyword lists against the terminal
// table, or writes them anew from it.
//
//   handbook-lists check DOCS-DIR   exit 1, saying what differs, when a list drifted
//   handbook-lists write DOCS-DIR   rewrite the lists that drifted in place
//
// The lists: the grammar's library part (grammar.md, a code block made
// whole from the table), the sentences that name every output item or every
// item that stands only first, and the reserved words of the language
// chapter's section "Names", which must name every keyword.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "keyword_lists.h"

namespace {

namespace fs = std::filesystem;
using handbook::KeywordKind;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool IsBlank(char c) {
  return c == ' ' || c == '\n';
}

// Where `phrase` stands in `text`, a blank in it matching any blanks and
// line ends; the position after it, or npos.
size_t After(const std::string& text, const std::string& phrase) {
  for (size_t at = 0; at < text.size(); ++at) {
    size_t t = at;
    size_t p = 0;
    while (p < phrase.size() && t < text.size()) {
      if (phrase[p] == ' ' && IsBlank(text[t])) {
        while (t < text.size() && IsBlank(text[t])) ++t;
        ++p;
      } else if (phrase[p] == text[t]) {
        ++p;
        ++t;
      } else {
        break;
      }
    }
    if (p == phrase.size()) return t;
  }
  return std::string::npos;
}

// The run of `KEYWORD`s that starts at `from`, joined by ", " and " and "
// (across line ends): its words, and where it ends.
std::vector<std::string> RunAt(const std::string& text, size_t from, size_t* end) {
  std::vector<std::string> words;
  *end = from;
  size_t p = from;
  for (;;) {
    if (p >= text.size() || text[p] != '`') return words;
    const size_t close = text.find('`', p + 1);
    if (close == std::string::npos) return words;
    words.push_back(text.substr(p + 1, close - p - 1));
    *end = close + 1;
    size_t q = *end;
    if (q < text.size() && text[q] == ',') ++q;
    while (q < text.size() && IsBlank(text[q])) ++q;
    if (text.compare(q, 3, "and") == 0 && q + 3 < text.size() && IsBlank(text[q + 3])) {
      q += 3;
      while (q < text.size() && IsBlank(text[q])) ++q;
    }
    if (q == *end) return words;
    p = q;
  }
}

struct Check {
  bool write = false;
  bool ok = true;

  void Drifted(const std::string& file, const std::string& what, const std::string& expected) {
    ok = false;
    if (!write) {
      std::fprintf(stderr,
                   "handbook-lists: %s: %s does not match the terminal table; it should read:\n"
                   "%s\n(handbook-lists write DOCS-DIR rewrites it.)\n",
                   file.c_str(), what.c_str(), expected.c_str());
    }
  }

  // The run of keywords after `anchor` must name `kind`'s keywords, in any
  // order.
  void Run(const std::string& file, std::string* text, const std::string& anchor,
           KeywordKind kind) {
    size_t start = After(*text, anchor);
    if (start == std::string::npos) {
      ok = false;
      std::fprintf(stderr, "handbook-lists: %s no longer holds \"%s\"\n", file.c_str(),
                   anchor.c_str());
      return;
    }
    while (start < text->size() && IsBlank((*text)[start])) ++start;
    size_t end = start;
    std::vector<std::string> named = RunAt(*text, start, &end);
    const std::vector<std::string> keywords = handbook::Keywords(kind);
    std::vector<std::string> sorted = keywords;
    std::sort(named.begin(), named.end());
    std::sort(sorted.begin(), sorted.end());
    if (named == sorted) return;
    const std::string expected = handbook::KeywordRun(keywords);
    Drifted(file, "the list after \"" + anchor + "\"", expected);
    if (write) text->replace(start, end - start, expected);
  }

  // The code block after `heading` must be the generated one.
  void Block(const std::string& file, std::string* text, const std::string& heading,
             const std::string& expected) {
    const size_t at = text->find("\n" + heading + "\n");
    const size_t open = at == std::string::npos ? at : text->find("```\n", at);
    if (open == std::string::npos) {
      ok = false;
      std::fprintf(stderr, "handbook-lists: %s has no code block after \"%s\"\n", file.c_str(),
                   heading.c_str());
      return;
    }
    const size_t start = open + 4;
    const size_t end = text->find("```\n", start);
    if (text->substr(start, end - start) == expected) return;
    Drifted(file, "the code block under \"" + heading + "\"", expected);
    if (write) text->replace(start, end - start, expected);
  }

  // Every keyword must stand in backticks in the section under `heading`.
  void Named(const std::string& file, const std::string& text, const std::string& heading) {
    const size_t at = text.find("\n" + heading + "\n");
    const size_t end = at == std::string::npos ? at : text.find("\n## ", at + 1);
    const std::string section = at == std::string::npos ? "" : text.substr(at, end - at);
    std::vector<std::string> missing;
    for (const std::string& k : handbook::Keywords(KeywordKind::kAll)) {
      if (section.find("`" + k + "`") == std::string::npos) missing.push_back(k);
    }
    if (missing.empty()) return;
    ok = false;
    std::fprintf(stderr,
                 "handbook-lists: %s: the section \"%s\" names the reserved words, but not %s\n",
                 file.c_str(), heading.c_str(), handbook::KeywordRun(missing).c_str());
  }
};

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 3 ? argv[1] : "";
  if (mode != "check" && mode != "write") {
    std::fprintf(stderr, "usage: handbook-lists check|write DOCS-DIR\n");
    return 2;
  }
  const fs::path docs = argv[2];
  Check check;
  check.write = mode == "write";
  struct File {
    std::string name;
    std::string text;
  };
  std::vector<File> files;
  for (const char* name : {"grammar.md", "reference.md", "language.md"}) {
    files.push_back({name, ReadFile(docs / name)});
    if (files.back().text.empty()) {
      std::fprintf(stderr, "handbook-lists: %s is empty or missing\n", (docs / name).c_str());
      return 2;
    }
  }
  File& grammar = files[0];
  File& reference = files[1];
  File& language = files[2];
  check.Block(grammar.name, &grammar.text, "## Library keywords", handbook::LibraryGrammar());
  check.Run(reference.name, &reference.text, "or one of the output items", KeywordKind::kAnyItem);
  check.Run(reference.name, &reference.text, "- Of these,", KeywordKind::kFirstItem);
  check.Run(language.name, &language.text, "are written by the output items",
            KeywordKind::kAnyItem);
  check.Named(language.name, language.text, "## Names");
  if (check.write) {
    for (const File& f : files) std::ofstream(docs / f.name, std::ios::binary) << f.text;
  }
  return check.ok || check.write ? 0 : 1;
}
