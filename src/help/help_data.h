// The generated help texts (help_texts.cpp, written by tools/handbook from
// docs/handbook at build time).
#pragma once

#include <cstddef>

namespace orbelin::help_data {

enum class Kind { kKeyword, kMessage, kTopic };

struct Record {
  Kind kind;
  const char* key;  // keyword in capitals, topic name, or "E111" / "E4 to E96"
  int first_code;   // messages: the numbers the entry covers; else -1
  int last_code;
  const char* text;  // the whole entry, wrapped, ending in a line end
};

// What the search compares: the words are folded (help/search_words.h) and
// separated by blanks.
struct SearchEntry {
  const char* keys;        // "CP", "OLAT, OLON", "E111", "E4 to E96"
  const char* title;       // the heading's text after its colon
  const char* key_words;   // of the keys and the title
  const char* text_words;  // of the group and the text, each once
};

// A level-2 section of a topic, with the entries under it (the reference's
// and the messages' groups).
struct SearchSection {
  const char* topic;
  const char* heading;
  const char* heading_words;
  const char* keys;  // the entries' keys, ", " between them; may be empty
};

extern const Record kRecords[];
extern const size_t kRecordCount;
extern const char kIndex[];
extern const SearchEntry kSearchEntries[];
extern const size_t kSearchEntryCount;
extern const SearchSection kSearchSections[];
extern const size_t kSearchSectionCount;

}  // namespace orbelin::help_data
