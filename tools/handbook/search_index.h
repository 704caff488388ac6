// What help's search looks through: every keyword and message entry, every
// chapter's opening and each of its sections, and the words people type
// that the handbook does not (src/help/search_words.txt).
#pragma once

#include <string>
#include <vector>

#include "help_entries.h"

namespace handbook {

struct SearchWordList {
  std::vector<std::string> stop;            // folded words
  std::vector<std::string> question;        // folded words
  std::vector<std::string> question_verbs;  // folded words
  // What is typed (folded words, blanks between) and what it means: each
  // meaning folded words that must all be found.
  struct Synonym {
    std::string typed;
    std::vector<std::string> meant;
  };
  std::vector<Synonym> synonyms;
};

// Reads search_words.txt; false with *error on a line it does not know.
bool ReadSearchWords(const std::string& text, SearchWordList* words, std::string* error);

enum class DocKind { kKeyword, kMessage, kTopic, kSection };

struct SearchDoc {
  DocKind kind = DocKind::kKeyword;
  std::string keys;   // "CP", "OLAT, OLON", "E111"; a chapter's name for a topic or section
  std::string title;  // the entry's title, the chapter's title, or the section's heading
  std::string group;  // the reference's or messages' group; a section's chapter title
  std::string text;   // plain text, paragraphs unwrapped
  std::string shown;  // a section: its terminal text, "topic: Heading" above it
};

// The chapters' openings and sections (headings of level 2 and 3), in the
// topics' order; reference.md and messages.md are entries instead.
std::vector<SearchDoc> ChapterDocs(const std::vector<HandbookFile>& topics, size_t width);

// A keyword or message entry as a document.
SearchDoc EntryDoc(const Entry& e);

// The folded words the search compares, blanks between: those of the keys,
// the title, the group; the text's words each once; the words the text
// holds three times or more, each with its count ("gpx:7"); and the
// phrases of the synonym list that the text holds, words joined by "+",
// with their count ("digit+sum:4").
struct DocWords {
  std::string keys, title, group, text, frequent, phrases;
};
DocWords WordsOf(const SearchDoc& doc, const SearchWordList& list);

// The phrases of the synonym list: every typed phrase and meaning of more
// than one word.
std::vector<std::vector<std::string>> Phrases(const SearchWordList& list);

}  // namespace handbook
