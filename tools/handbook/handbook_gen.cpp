// handbook-gen: the handbook's Markdown into the texts of `orbelin help`
// (C++ source), a JSON file of the search's documents for the web page, and
// the man pages: orbelin(1) for the command, orbelin(7) for the rest.
//
//   handbook-gen VERSION DATE OUTDIR SEARCH-WORDS INDEX.md TOPIC.md...
//
// The topics are taken in the order given; the one named reference.md holds
// the keyword entries, messages.md the message entries. SEARCH-WORDS is
// src/help/search_words.txt, the search's words that the handbook lacks;
// DATE (YYYY-MM-DD) goes into the man pages.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "help/search_words.h"
#include "help_entries.h"
#include "markdown.h"
#include "render.h"
#include "search_index.h"

namespace {

namespace fs = std::filesystem;
using handbook::Entry;
using handbook::EntryKind;
using handbook::HandbookFile;

constexpr size_t kWidth = 80;
// The text of an 80-column man page: the page's left margin takes 7.
constexpr size_t kManTextWidth = 73;
// The chapter whose sections are the man page's SYNOPSIS, OPTIONS and the rest.
constexpr std::string_view kCommandLineTopic = "command-line";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : separator) + p;
  return out;
}

std::string CppLiteral(const std::string& text) {
  std::string out = "    \"";
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      out += "\\n\"";
      if (i + 1 < text.size()) out += "\n    \"";
      continue;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (text.empty() || text.back() != '\n') out += '"';
  return out;
}

// A C++ string literal on one line.
std::string CppString(const std::string& text) {
  std::string literal = CppLiteral(text);
  return literal.substr(literal.find('"'));
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// The terminal text of an entry: its heading line, a blank line, the body.
std::string EntryText(const Entry& e) {
  std::string heading = Join(e.keys, ", ") + ": " + e.title;
  return handbook::Wrap(heading, kWidth) + "\n" + handbook::RenderText(e.blocks, kWidth);
}

std::string IndexText(const std::vector<HandbookFile>& topics, const std::vector<Entry>& keywords,
                      const std::vector<Entry>& messages) {
  std::string out = handbook::Wrap(
      "Orbelin help. 'orbelin help WORD' shows the entry for a keyword (in any case), a topic, "
      "or a message number such as E111; any other word, such as 'distance' or 'caesar', is "
      "looked for in the handbook's text.",
      kWidth);
  std::vector<std::string> names;
  for (const HandbookFile& t : topics) names.push_back(t.name);
  out += "\nTopics:\n" + handbook::Wrap(Join(names, "  "), kWidth, "", 2);
  out += "\nKeywords:\n";
  std::string group;
  std::vector<std::string> words;
  auto flush = [&] {
    if (words.empty()) return;
    out += handbook::Wrap(group, kWidth, "", 2);
    out += handbook::Wrap(Join(words, "  "), kWidth, "", 4);
    words.clear();
  };
  for (const Entry& e : keywords) {
    if (e.group != group) {
      flush();
      group = e.group;
    }
    for (const std::string& k : e.keys) words.push_back(k);
  }
  flush();
  std::vector<std::string> codes;
  for (const Entry& m : messages) codes.push_back(m.keys.front());
  out += "\nMessages:\n" + handbook::Wrap(Join(codes, ", "), kWidth, "", 2);
  return out;
}

bool CheckWidth(const std::string& what, const std::string& text) {
  size_t start = 0;
  int line = 1;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (handbook::DisplayWidth(std::string_view(text).substr(start, end - start)) > kWidth) {
      std::fprintf(stderr, "handbook-gen: %s, line %d of its help text is wider than %zu columns\n",
                   what.c_str(), line, kWidth);
      return false;
    }
    start = end + 1;
    ++line;
  }
  return true;
}

std::string ManHeader(const std::string& section, const std::string& version,
                      const std::string& date) {
  return ".\\\" Generated by handbook-gen from docs/handbook; edit the handbook instead.\n"
         ".TH ORBELIN " +
         section + " \"" + date + "\" \"Orbelin " + version +
         "\" \"Orbelin manual\"\n"
         // No hyphenation and a ragged right edge: words and code stay whole.
         ".nh\n.ad l\n";
}

// The index's paragraphs up to its first section, without its title.
std::string IndexParagraphs(const HandbookFile& index) {
  std::string out;
  for (const handbook::Block& b : index.blocks) {
    if (b.kind == handbook::BlockKind::kHeading && b.level > 1) break;
    if (b.kind == handbook::BlockKind::kParagraph) {
      out += ".PP\n" + handbook::RoffInline(b.spans) + "\n";
    }
  }
  return out;
}

// orbelin(1): the command, from the command-line chapter. Its sections are
// the page's, SYNOPSIS first and SEE ALSO last; its options and values
// are tagged paragraphs.
std::string ManPageOfTheCommand(const std::string& version, const std::string& date,
                                const HandbookFile& index, const HandbookFile& chapter) {
  std::string out = ManHeader("1", version, date);
  out += ".SH NAME\norbelin \\- a calculator for puzzle solving and field navigation\n";
  std::vector<handbook::Section> sections = handbook::SectionsAt(chapter.blocks, 2);
  auto section = [&](const handbook::Section& s) {
    std::string upper = s.heading;
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return ".SH \"" + handbook::RoffText(upper) + "\"\n" +
           handbook::RenderRoff(s.blocks, kManTextWidth, true);
  };
  const handbook::Section* synopsis = nullptr;
  const handbook::Section* see_also = nullptr;
  for (const handbook::Section& s : sections) {
    if (s.heading == "Synopsis") synopsis = &s;
    if (s.heading == "See also") see_also = &s;
  }
  if (synopsis) out += section(*synopsis);
  out += ".SH DESCRIPTION\n" + IndexParagraphs(index);
  for (const handbook::Section& s : sections) {
    if (&s != synopsis && &s != see_also) out += section(s);
  }
  if (see_also) out += section(*see_also);
  return out;
}

// orbelin(7): the language and the rest of the handbook, chapter by chapter.
std::string ManPageOfTheLanguage(const std::string& version, const std::string& date,
                                 const HandbookFile& index,
                                 const std::vector<HandbookFile>& chapters) {
  std::string out = ManHeader("7", version, date);
  out +=
      ".SH NAME\norbelin \\- the script language of the Orbelin calculator, and its "
      "handbook\n";
  out += ".SH DESCRIPTION\n" + IndexParagraphs(index);
  out +=
      ".PP\nThis page holds the whole handbook but the command line, which is "
      "orbelin(1): the language, the reference of every keyword, the messages, the "
      "accuracy of the numbers, recipes and the grammar.\n";
  for (const HandbookFile& t : chapters) out += handbook::RenderRoff(t.blocks, kManTextWidth);
  out +=
      ".SH \"SEE ALSO\"\n.PP\norbelin(1), the programs and their options; \\fBorbelin "
      "help\\fR, this handbook on the terminal.\n";
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7) {
    std::fprintf(stderr,
                 "usage: handbook-gen VERSION DATE OUTDIR SEARCH-WORDS INDEX.md TOPIC.md...\n");
    return 2;
  }
  const std::string version = argv[1];
  const std::string date = argv[2];
  const fs::path out_dir = argv[3];
  auto load = [](const fs::path& path, HandbookFile* file) {
    file->name = path.stem().string();
    file->text = ReadFile(path);
    std::string error;
    if (file->text.empty() || !handbook::ParseBlocks(file->text, &file->blocks, &error)) {
      std::fprintf(stderr, "handbook-gen: %s: %s\n", path.string().c_str(),
                   file->text.empty() ? "empty or missing" : error.c_str());
      return false;
    }
    return true;
  };
  handbook::SearchWordList search_words;
  {
    std::string error;
    if (!handbook::ReadSearchWords(ReadFile(argv[4]), &search_words, &error)) {
      std::fprintf(stderr, "handbook-gen: %s\n", error.c_str());
      return 1;
    }
  }
  HandbookFile index;
  if (!load(argv[5], &index)) return 1;
  std::vector<HandbookFile> topics;
  std::vector<Entry> keywords, messages;
  for (int i = 6; i < argc; ++i) {
    topics.emplace_back();
    if (!load(argv[i], &topics.back())) return 1;
    std::string error;
    const HandbookFile& t = topics.back();
    bool ok = t.name == "reference"  ? handbook::KeywordEntries(t, &keywords, &error)
              : t.name == "messages" ? handbook::MessageEntries(t, &messages, &error)
                                     : true;
    if (!ok) {
      std::fprintf(stderr, "handbook-gen: %s\n", error.c_str());
      return 1;
    }
  }
  if (keywords.empty() || messages.empty()) {
    std::fprintf(stderr, "handbook-gen: no reference.md or messages.md among the topics\n");
    return 1;
  }

  // help_texts.cpp
  std::string cpp =
      "// Generated by handbook-gen from docs/handbook; edit the handbook instead.\n"
      "#include \"help/help_data.h\"\n\nnamespace orbelin::help_data {\nnamespace {\n\n";
  std::string records;
  int n = 0;
  size_t record_count = 0;
  bool ok = true;
  auto add_text = [&](const std::string& what, const std::string& text) {
    ok = CheckWidth(what, text) && ok;
    std::string name = "kText" + std::to_string(n++);
    cpp += "const char " + name + "[] =\n" + CppLiteral(text) + ";\n\n";
    return name;
  };
  for (const Entry& e : keywords) {
    std::string name = add_text(e.keys.front(), EntryText(e));
    for (const std::string& k : e.keys) {
      records += "    {Kind::kKeyword, \"" + k + "\", -1, -1, " + name + "},\n";
      ++record_count;
    }
  }
  for (const Entry& e : messages) {
    std::string name = add_text(e.keys.front(), EntryText(e));
    records += "    {Kind::kMessage, \"" + e.keys.front() + "\", " + std::to_string(e.first_code) +
               ", " + std::to_string(e.last_code) + ", " + name + "},\n";
    ++record_count;
  }
  for (const HandbookFile& t : topics) {
    std::string name = add_text(t.name, handbook::RenderText(t.blocks, kWidth));
    records += "    {Kind::kTopic, \"" + t.name + "\", -1, -1, " + name + "},\n";
    ++record_count;
  }
  // Each chapter's sections, to be shown by their heading.
  std::vector<handbook::SearchDoc> docs;
  for (const auto* list : {&keywords, &messages}) {
    for (const Entry& e : *list) docs.push_back(handbook::EntryDoc(e));
  }
  for (handbook::SearchDoc& d : handbook::ChapterDocs(topics, kWidth)) docs.push_back(d);
  for (const handbook::SearchDoc& d : docs) {
    if (d.kind != handbook::DocKind::kSection) continue;
    const std::string key = d.keys + ": " + d.title;
    std::string name = add_text(key, d.shown);
    records += "    {Kind::kSection, " + CppString(key) + ", -1, -1, " + name + "},\n";
    ++record_count;
  }
  // The search's documents and words.
  std::string search = "const SearchDoc kSearchDocs[] = {\n";
  for (const handbook::SearchDoc& d : docs) {
    const handbook::DocWords w = handbook::WordsOf(d, search_words);
    const char* kind = d.kind == handbook::DocKind::kKeyword   ? "Kind::kKeyword"
                       : d.kind == handbook::DocKind::kMessage ? "Kind::kMessage"
                       : d.kind == handbook::DocKind::kTopic   ? "Kind::kTopic"
                                                               : "Kind::kSection";
    search += std::string("    {") + kind + ", " + CppString(d.keys) + ", " + CppString(d.title) +
              ", " + CppString(w.keys) + ", " + CppString(w.title) + ", " + CppString(w.group) +
              ", " + CppString(w.text) + ", " + CppString(w.frequent) + ", " +
              CppString(w.phrases) + "},\n";
  }
  search += "};\n\nconst size_t kSearchDocCount = " + std::to_string(docs.size()) + ";\n\n";
  search += "const char kStopWords[] = " + CppString(Join(search_words.stop, " ")) + ";\n";
  search += "const char kQuestionWords[] = " + CppString(Join(search_words.question, " ")) + ";\n";
  search += "const char kQuestionVerbs[] = " + CppString(Join(search_words.question_verbs, " ")) +
            ";\n\n";
  search += "const Synonym kSynonyms[] = {\n";
  for (const auto& syn : search_words.synonyms) {
    search += "    {" + CppString(syn.typed) + ", " + CppString(Join(syn.meant, " | ")) + "},\n";
  }
  search += "};\n\nconst size_t kSynonymCount = " + std::to_string(search_words.synonyms.size()) +
            ";\n\n";

  std::string index_text = IndexText(topics, keywords, messages);
  ok = CheckWidth("the index", index_text) && ok;
  if (!ok) return 1;
  cpp += "}  // namespace\n\nconst char kIndex[] =\n" + CppLiteral(index_text) + ";\n\n";
  cpp += "const Record kRecords[] = {\n" + records + "};\n\n";
  cpp += "const size_t kRecordCount = " + std::to_string(record_count) + ";\n\n";
  cpp += search;
  cpp += "}  // namespace orbelin::help_data\n";

  // help.json: the search's words and every document of the search, for
  // the web page, as plain text with paragraphs left unwrapped (the page
  // wraps them to its width; examples keep their lines).
  auto json_list = [](const std::vector<std::string>& words) {
    std::string out = "[";
    for (size_t i = 0; i < words.size(); ++i) out += (i ? ", " : "") + JsonString(words[i]);
    return out + "]";
  };
  std::string json = "{\n  \"stopWords\": " + json_list(search_words.stop) + ",\n";
  json += "  \"questionWords\": " + json_list(search_words.question) + ",\n";
  json += "  \"questionVerbs\": " + json_list(search_words.question_verbs) + ",\n";
  json += "  \"synonyms\": [";
  for (size_t i = 0; i < search_words.synonyms.size(); ++i) {
    const auto& syn = search_words.synonyms[i];
    json += std::string(i ? "," : "") + "\n    [" + JsonString(syn.typed) + ", " +
            json_list(syn.meant) + "]";
  }
  json += "\n  ],\n  \"entries\": [";
  for (size_t i = 0; i < docs.size(); ++i) {
    const handbook::SearchDoc& d = docs[i];
    const char* kind = d.kind == handbook::DocKind::kKeyword   ? "keyword"
                       : d.kind == handbook::DocKind::kMessage ? "message"
                       : d.kind == handbook::DocKind::kTopic   ? "topic"
                                                               : "section";
    json += std::string(i ? "," : "") + "\n    {\"key\": " + JsonString(d.keys) +
            ", \"title\": " + JsonString(d.title) + ", \"kind\": \"" + kind +
            "\", \"group\": " + JsonString(d.group) + ", \"text\": " + JsonString(d.text) + "}";
  }
  json += "\n  ]\n}\n";

  fs::create_directories(out_dir);
  WriteFile(out_dir / "help_texts.cpp", cpp);
  WriteFile(out_dir / "help.json", json);
  const HandbookFile* command_line = nullptr;
  std::vector<HandbookFile> chapters;
  for (const HandbookFile& t : topics) {
    if (t.name == kCommandLineTopic) {
      command_line = &t;
    } else {
      chapters.push_back(t);
    }
  }
  if (!command_line) {
    std::fprintf(stderr, "handbook-gen: no command-line.md among the topics\n");
    return 1;
  }
  WriteFile(out_dir / "orbelin.1", ManPageOfTheCommand(version, date, index, *command_line));
  WriteFile(out_dir / "orbelin.7", ManPageOfTheLanguage(version, date, index, chapters));
  return 0;
}
