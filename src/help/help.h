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

// `orbelin help [WORD...]`: the index without words, else each word's entry.
// An unknown word names the nearest keywords on err. Returns 0, or 2 when a
// word was unknown.
int RunHelpCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace orbelin
