// `orbelin help`: the handbook's reference, messages and topics on the
// terminal. The texts are generated from docs/handbook at build time and
// already wrapped to 80 columns.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbelin {

// Topics and every keyword by group, with how to ask for more.
std::string HelpIndex();

// The entry for a keyword (any case), a topic ("messages", "language", ...)
// or a message number ("E111", "e111" or "111"); nothing for anything else.
std::optional<std::string> HelpEntry(std::string_view word);

// The keywords and topics nearest to a word, best first: those that begin
// with it, then the fewest edits away. At most five.
std::vector<std::string> SuggestKeywords(std::string_view word);

// Every word that HelpEntry answers with a name: keywords, topics, message
// keys (E111, E4 to E96, ...).
std::vector<std::string> HelpKeys();

// What the handbook says about some words, found by meaning rather than by
// name. Accents and case do not matter, and a word finds the longer words
// it begins (and the stems it begins with, of four letters or more). A
// query with signs in it (`°N`, `->`) is looked for as it is written.
struct HelpFound {
  std::string keys;   // "CP", "E111"; a section: its topic ("reference")
  std::string title;  // the entry's title; a section: its heading
  std::string holds;  // a section: the keys of the entries under it
};
struct HelpSearch {
  std::vector<HelpFound> named;        // entries whose keys or title say every word
  std::vector<HelpFound> sections;     // sections whose heading says every word
  std::vector<std::string> mentioned;  // keys of the other entries whose text does
  bool empty() const { return named.empty() && sections.empty() && mentioned.empty(); }
};
HelpSearch SearchHelp(std::string_view words);

// `orbelin help [WORD...]`: the index without words, else for each word its
// entry, or what the search finds for it. A word that nothing answers names
// the nearest keywords on err. Returns 0, or 2 when a word found nothing.
int RunHelpCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace orbelin
