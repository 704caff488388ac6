// The generated help texts (help_texts.cpp, written by tools/handbook from
// docs/handbook and search_words.txt at build time).
#pragma once

#include <cstddef>

namespace orbelin::help_data {

enum class Kind { kKeyword, kMessage, kTopic, kSection };

struct Record {
  Kind kind;
  // A keyword in capitals, a topic's name, "E111" / "E4 to E96", or for a
  // chapter's section "topic: Heading".
  const char* key;
  int first_code;  // messages: the numbers the entry covers; else -1
  int last_code;
  const char* text;  // the whole entry, wrapped, ending in a line end
};

// What the search looks through: every keyword and message entry, each
// chapter's opening (a topic) and each of its sections. The words are
// folded (help/search_words.h) and separated by blanks.
struct SearchDoc {
  Kind kind;
  const char* keys;   // "CP", "OLAT, OLON", "E111"; a topic or section: the chapter's name
  const char* title;  // the entry's title, the chapter's title or the section's heading
  const char* key_words;
  const char* title_words;
  const char* group_words;     // the reference's group; a section's chapter title
  const char* text_words;      // each once
  const char* frequent_words;  // those the text holds three times or more: "gpx:7"
  // The synonym list's phrases the text holds, words joined by "+": "digit+sum:4".
  const char* phrases;
};

// A word or phrase people type and what the handbook calls it: folded
// words; the meanings separated by " | ", each words that must all be
// found.
struct Synonym {
  const char* typed;
  const char* meant;
};

extern const Record kRecords[];
extern const size_t kRecordCount;
extern const char kIndex[];
extern const SearchDoc kSearchDocs[];
extern const size_t kSearchDocCount;
extern const char kStopWords[];
extern const char kQuestionWords[];
extern const char kQuestionVerbs[];
extern const Synonym kSynonyms[];
extern const size_t kSynonymCount;

}  // namespace orbelin::help_data
