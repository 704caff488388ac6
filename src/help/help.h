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

// The entry for a keyword (any case), a topic ("messages", "language", ...),
// a message number ("E111", "e111" or "111") or a chapter's section (by its
// heading, or "cookbook: Distance and bearing"); nothing for anything else.
std::optional<std::string> HelpEntry(std::string_view word);

// The keywords and topics nearest to a word, best first: those that begin
// with it, then the fewest edits away. At most five.
std::vector<std::string> SuggestKeywords(std::string_view word);

// Every name that HelpEntry answers: keywords, topics, message keys (E111,
// E4 to E96, ...), sections ("cookbook: Distance and bearing").
std::vector<std::string> HelpKeys();

// What the handbook says of a question, best first, found by meaning
// rather than by name (the algorithm is described in help.cpp; the page's
// help.js searches the same way). Accents and case do not matter; a query
// with signs in it (`°N`, `->`) is looked for as it is written.
struct HelpFound {
  // What `orbelin help NAME` opens: "CP", "E111", "vary", or for a
  // chapter's section "cookbook: Distance and bearing".
  std::string name;
  // The entry's or the chapter's title; "" for a section, which its name
  // says.
  std::string title;
};
struct HelpSearch {
  std::vector<HelpFound> found;
  // Words asked for that nothing in the handbook answers.
  std::vector<std::string> unanswered;
  // When the words asked found nothing: the words that were searched
  // instead, each the nearest one the handbook knows ("distance" for
  // "distanse"); else "".
  std::string instead;
  bool empty() const { return found.empty(); }
};
HelpSearch SearchHelp(std::string_view query);

// `orbelin help [WORD...]`: the index without words; the entry of each
// word when every word names one; else the words are one question, and
// what the search finds for it is listed (an entry or section it names
// exactly is shown). When nothing answers, the nearest keywords are named
// on err. Returns 0, or 2 when nothing was found or the options are wrong.
int RunHelpCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace orbelin
