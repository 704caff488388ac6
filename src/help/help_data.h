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

extern const Record kRecords[];
extern const size_t kRecordCount;
extern const char kIndex[];

}  // namespace orbelin::help_data
