// The entries of `orbelin help`, read from the handbook's Markdown: one per
// keyword (from the reference's level-3 headings "KEY: title" or
// "KEY1, KEY2: title"), one per message (the messages' headings "E111: ..."
// or "E4 to E96: ..."), and one per topic (each file, by its name).
#pragma once

#include <string>
#include <vector>

#include "markdown.h"

namespace handbook {

enum class EntryKind { kKeyword, kMessage, kTopic };

struct Entry {
  EntryKind kind = EntryKind::kKeyword;
  std::vector<std::string> keys;  // keywords in capitals; "E111"; the topic name
  int first_code = -1;            // messages: the numbers covered
  int last_code = -1;
  std::string group;     // keywords: the reference's level-2 heading
  std::string title;     // text after the colon of the heading
  std::string markdown;  // the section's Markdown as written, without its heading
  std::vector<Block> blocks;
};

struct HandbookFile {
  std::string name;  // file name without ".md"
  std::string text;
  std::vector<Block> blocks;
};

// Keyword entries of the reference file, in their order. False with *error
// on a heading that does not have the form "KEYS: title".
bool KeywordEntries(const HandbookFile& file, std::vector<Entry>* entries, std::string* error);
// Message entries of the messages file.
bool MessageEntries(const HandbookFile& file, std::vector<Entry>* entries, std::string* error);

}  // namespace handbook
