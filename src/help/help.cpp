#include "help/help.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>

#include "help/help_data.h"
#include "help/search_words.h"

namespace orbelin {
namespace {

using help_data::Kind;
using help_data::kRecordCount;
using help_data::kRecords;
using help_data::Record;
using help_data::SearchDoc;
using help_search::Answers;

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// "E111", "e111" or "111" as a number; -1 for anything else.
int MessageNumber(std::string_view word) {
  if (!word.empty() && (word[0] == 'E' || word[0] == 'e')) word.remove_prefix(1);
  if (word.empty() || word.size() > 4) return -1;
  int n = -1;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), n);
  return (ec == std::errc() && end == word.data() + word.size()) ? n : -1;
}

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::vector<std::string> Split(std::string_view blank_separated) {
  std::vector<std::string> words;
  size_t start = 0;
  while (start < blank_separated.size()) {
    size_t end = blank_separated.find(' ', start);
    if (end == std::string_view::npos) end = blank_separated.size();
    if (end > start) words.emplace_back(blank_separated.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

bool Contains(const std::vector<std::string>& list, std::string_view word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

std::string HelpIndex() {
  return help_data::kIndex;
}

std::optional<std::string> HelpEntry(std::string_view word) {
  word = Trim(word);
  if (word.empty()) return std::nullopt;
  const std::string upper = Upper(word);
  for (size_t i = 0; i < kRecordCount; ++i) {
    if (Upper(kRecords[i].key) == upper) return std::string(kRecords[i].text);
  }
  // A section by its heading alone, the first chapter's first.
  for (size_t i = 0; i < kRecordCount; ++i) {
    const std::string_view key = kRecords[i].key;
    if (kRecords[i].kind == Kind::kSection && Upper(key.substr(key.find(": ") + 2)) == upper) {
      return std::string(kRecords[i].text);
    }
  }
  int n = MessageNumber(word);
  if (n < 0) return std::nullopt;
  // The narrowest entry that covers the number: a single number before a
  // range around it.
  const Record* best = nullptr;
  for (size_t i = 0; i < kRecordCount; ++i) {
    const Record& r = kRecords[i];
    if (r.kind != Kind::kMessage || n < r.first_code || n > r.last_code) continue;
    if (!best || r.last_code - r.first_code < best->last_code - best->first_code) best = &r;
  }
  if (!best) return std::nullopt;
  return std::string(best->text);
}

std::vector<std::string> SuggestKeywords(std::string_view word) {
  std::string upper = Upper(Trim(word));
  struct Candidate {
    bool prefix;
    size_t distance;
    std::string key;
  };
  std::vector<Candidate> candidates;
  for (size_t i = 0; i < kRecordCount; ++i) {
    const Record& r = kRecords[i];
    if (r.kind == Kind::kMessage || r.kind == Kind::kSection) continue;
    std::string key = Upper(r.key);
    bool prefix = upper.size() >= 2 && key.starts_with(upper);
    candidates.push_back({prefix, EditDistance(upper, key), r.key});
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) {
                     if (a.prefix != b.prefix) return a.prefix;
                     return a.distance < b.distance;
                   });
  // Words that begin with the given one if there are any, else those at
  // most one edit further than the nearest.
  std::vector<std::string> out;
  for (const Candidate& c : candidates) {
    if (out.size() == 5) break;
    const Candidate& best = candidates.front();
    if (best.prefix ? !c.prefix : c.distance > best.distance + 1) break;
    out.push_back(c.key);
  }
  return out;
}

std::vector<std::string> HelpKeys() {
  std::vector<std::string> keys;
  for (size_t i = 0; i < kRecordCount; ++i) keys.emplace_back(kRecords[i].key);
  return keys;
}

// The search. A query is folded into words (help/search_words.h), and the
// words into concepts, each a thing sought:
//
// - a word or phrase of the synonym list (search_words.txt) is one concept,
//   found as itself or as any of its meanings ("how far": distance);
// - stop words ("what", "is", "a") are dropped, and in a question ("how do I
//   write a coordinate") the verbs that only mean "do" too, unless nothing
//   else is left;
// - every other word is a concept of its own.
//
// A document (an entry, a chapter's opening or one of its sections) holds a
// concept when it holds one of its forms, scored by where: 10 a key named
// exactly (a number names its message: "error 111"), 8 the start of a key,
// 6 a title or heading of three words or fewer, 5 a longer one, 3 the group
// or chapter, and in the text 1, 2 for a word it uses three times or more, 3
// for six times or more; a concept counts as its best form. A form of several words is held where
// they stand together, in this order. A word answers a word asked for when it begins with it, or is
// a stem of four letters or more that the asked word begins with and goes on by at most three
// ("project" answers "projection"); a word asked for of two letters must be the word itself, and
// words of one letter are not looked for, so "a" finds nothing; a single letter that is no ASCII
// letter ("ä") is looked for as it is written.
//
// The documents that hold the most concepts are found, best score first,
// then in the handbook's order. Concepts no document holds are named as
// unanswered. When nothing at all is found, each word is replaced by the
// nearest word the handbook or the synonym list knows (one edit away, two
// for words of seven letters or more) and the search is made again.
//
// A query with signs in it (`°N`, `->`) is looked for as it is written, in
// any case: the documents whose keys or title hold it, then those whose
// text does.
namespace {

struct Concept {
  std::string asked;                                   // the words as asked
  std::vector<std::vector<std::string>> alternatives;  // the forms that find it
};

// "word:7" as the word and its count.
std::vector<std::pair<std::string, int>> Counted(std::string_view list) {
  std::vector<std::pair<std::string, int>> counted;
  for (const std::string& w : Split(list)) {
    const size_t colon = w.find(':');
    counted.emplace_back(w.substr(0, colon), std::atoi(w.c_str() + colon + 1));
  }
  return counted;
}

struct Words {
  std::vector<std::string> keys, title, group, text;
  std::vector<std::pair<std::string, int>> frequent;  // word, count
  std::vector<std::pair<std::string, int>> phrases;   // "digit+sum", count
  explicit Words(const SearchDoc& d)
      : keys(Split(d.key_words)),
        title(Split(d.title_words)),
        group(Split(d.group_words)),
        text(Split(d.text_words)),
        frequent(Counted(d.frequent_words)),
        phrases(Counted(d.phrases)) {}
};

// Whether the words of `phrase` stand together in `words`.
bool Together(const std::vector<std::string>& words, const std::vector<std::string>& phrase) {
  for (size_t i = 0; i + phrase.size() <= words.size(); ++i) {
    bool together = true;
    for (size_t k = 0; k < phrase.size() && together; ++k) {
      together = Answers(words[i + k], phrase[k]);
    }
    if (together) return true;
  }
  return false;
}

// A form of several words, found where they stand together.
int PhraseScore(const Words& d, const std::vector<std::string>& phrase) {
  if (Together(d.keys, phrase)) return 8;
  if (Together(d.title, phrase)) return d.title.size() <= 3 ? 6 : 5;
  if (Together(d.group, phrase)) return 3;
  std::string joined;
  for (const std::string& w : phrase) joined += (joined.empty() ? "" : "+") + w;
  for (const auto& [p, n] : d.phrases) {
    if (p == joined) return n >= 6 ? 3 : n >= 3 ? 2 : 1;
  }
  return 0;
}

bool AnyAnswers(const std::vector<std::string>& words, std::string_view asked) {
  for (const std::string& w : words) {
    if (Answers(w, asked)) return true;
  }
  return false;
}

int WordScore(const Words& d, std::string_view asked) {
  // A number asked for is also the message of that number: "error 111".
  const bool number =
      std::all_of(asked.begin(), asked.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (Contains(d.keys, asked) || (number && Contains(d.keys, "e" + std::string(asked)))) return 10;
  if (AnyAnswers(d.keys, asked)) return 8;
  if (AnyAnswers(d.title, asked)) return d.title.size() <= 3 ? 6 : 5;
  if (AnyAnswers(d.group, asked)) return 3;
  int count = 0;
  for (const auto& [word, n] : d.frequent) {
    if (Answers(word, asked)) count = std::max(count, n);
  }
  if (count >= 6) return 3;
  if (count >= 3) return 2;
  if (AnyAnswers(d.text, asked)) return 1;
  return 0;
}

int ConceptScore(const Words& d, const Concept& c) {
  int best = 0;
  for (const std::vector<std::string>& form : c.alternatives) {
    best = std::max(best, form.size() == 1 ? WordScore(d, form[0]) : PhraseScore(d, form));
  }
  return best;
}

std::vector<Concept> Concepts(const std::vector<std::string>& words) {
  const std::vector<std::string> stop = Split(help_data::kStopWords);
  const std::vector<std::string> verbs = Split(help_data::kQuestionVerbs);
  const bool question = !words.empty() && Contains(Split(help_data::kQuestionWords), words[0]);
  std::vector<Concept> concepts;
  for (size_t i = 0; i < words.size();) {
    // The longest phrase of the synonym list that starts here.
    const help_data::Synonym* synonym = nullptr;
    size_t length = 0;
    for (size_t s = 0; s < help_data::kSynonymCount; ++s) {
      const std::vector<std::string> typed = Split(help_data::kSynonyms[s].typed);
      if (typed.size() <= length || i + typed.size() > words.size()) continue;
      if (std::equal(typed.begin(), typed.end(), words.begin() + static_cast<long>(i))) {
        synonym = &help_data::kSynonyms[s];
        length = typed.size();
      }
    }
    if (synonym) {
      Concept c{synonym->typed, {Split(synonym->typed)}};
      std::string_view meant = synonym->meant;
      while (!meant.empty()) {
        const size_t bar = meant.find(" | ");
        c.alternatives.push_back(Split(meant.substr(0, bar)));
        meant = bar == std::string_view::npos ? "" : meant.substr(bar + 3);
      }
      concepts.push_back(std::move(c));
      i += length;
      continue;
    }
    const std::string& w = words[i++];
    if (w.size() < 2 || Contains(stop, w) || (question && Contains(verbs, w))) continue;
    concepts.push_back({w, {{w}}});
  }
  // A question of stop words alone ("what is", "how"): its words are what
  // is asked.
  if (concepts.empty()) {
    for (const std::string& w : words) {
      if (w.size() >= 2) concepts.push_back({w, {{w}}});
    }
  }
  return concepts;
}

HelpFound Found(const SearchDoc& d) {
  if (d.kind == Kind::kSection) return {std::string(d.keys) + ": " + d.title, ""};
  return {d.keys, d.title};
}

HelpSearch SearchWords(const std::vector<std::string>& asked) {
  HelpSearch out;
  const std::vector<Concept> concepts = Concepts(asked);
  std::vector<bool> answered(concepts.size(), false);
  struct Hit {
    size_t doc;
    size_t held;
    int score;
  };
  std::vector<Hit> hits;
  size_t most = 0;
  for (size_t i = 0; i < help_data::kSearchDocCount; ++i) {
    const Words words(help_data::kSearchDocs[i]);
    Hit hit{i, 0, 0};
    for (size_t c = 0; c < concepts.size(); ++c) {
      const int score = ConceptScore(words, concepts[c]);
      if (score == 0) continue;
      ++hit.held;
      hit.score += score;
      answered[c] = true;
    }
    if (hit.held == 0) continue;
    most = std::max(most, hit.held);
    hits.push_back(hit);
  }
  std::erase_if(hits, [&](const Hit& h) { return h.held < most; });
  std::stable_sort(hits.begin(), hits.end(),
                   [](const Hit& a, const Hit& b) { return a.score > b.score; });
  for (const Hit& h : hits) out.found.push_back(Found(help_data::kSearchDocs[h.doc]));
  for (size_t c = 0; c < concepts.size(); ++c) {
    if (!answered[c]) out.unanswered.push_back(concepts[c].asked);
  }
  return out;
}

// The nearest word the handbook or the synonym list knows; "" when none is
// near enough.
std::string NearestKnownWord(const std::string& word) {
  if (word.size() < 4) return "";
  const size_t allowed = word.size() >= 7 ? 2 : 1;
  std::string best;
  size_t best_distance = allowed + 1;
  auto consider = [&](std::string_view list) {
    for (const std::string& w : Split(list)) {
      if (w.size() + allowed < word.size() || word.size() + allowed < w.size()) continue;
      const size_t d = EditDistance(word, w);
      if (d < best_distance) {
        best_distance = d;
        best = w;
      }
    }
  };
  for (size_t s = 0; s < help_data::kSynonymCount; ++s) consider(help_data::kSynonyms[s].typed);
  for (size_t i = 0; i < help_data::kSearchDocCount; ++i) {
    const SearchDoc& d = help_data::kSearchDocs[i];
    for (const char* list : {d.key_words, d.title_words, d.group_words, d.text_words}) {
      consider(list);
    }
  }
  return best;
}

// Signs are looked for as they are written, in any case.
HelpSearch SearchLiterally(std::string_view query) {
  HelpSearch out;
  const std::string sought = Upper(Trim(query));
  auto holds = [&](std::string_view text) { return Upper(text).find(sought) != std::string::npos; };
  std::vector<HelpFound> mentioned;
  for (size_t i = 0; i < help_data::kSearchDocCount; ++i) {
    const SearchDoc& d = help_data::kSearchDocs[i];
    if (holds(d.keys) || holds(d.title)) {
      out.found.push_back(Found(d));
      continue;
    }
    const HelpFound f = Found(d);
    const std::optional<std::string> text =
        HelpEntry(d.kind == Kind::kSection || d.kind == Kind::kTopic
                      ? f.name
                      : std::string_view(f.name).substr(0, f.name.find(',')));
    if (text && d.kind != Kind::kTopic && holds(*text)) mentioned.push_back(f);
  }
  out.found.insert(out.found.end(), mentioned.begin(), mentioned.end());
  return out;
}

}  // namespace

HelpSearch SearchHelp(std::string_view query) {
  const std::string_view q = Trim(query);
  // One letter that is no ASCII letter ("ä") is looked for as it stands.
  const bool one_letter = q.size() == 2 && static_cast<unsigned char>(q[0]) >= 0xC0;
  if (help_search::HasSigns(q) || one_letter) return SearchLiterally(query);
  const std::vector<std::string> asked = help_search::Words(query);
  if (asked.empty()) return {};
  HelpSearch out = SearchWords(asked);
  if (!out.found.empty()) return out;
  std::vector<std::string> nearer;
  bool changed = false;
  for (const std::string& w : asked) {
    const std::string near = NearestKnownWord(w);
    nearer.push_back(near.empty() ? w : near);
    changed = changed || !near.empty();
  }
  if (!changed) return out;
  HelpSearch instead = SearchWords(nearer);
  if (instead.found.empty()) return out;
  for (const std::string& w : nearer) instead.instead += (instead.instead.empty() ? "" : " ") + w;
  return instead;
}

namespace {

constexpr size_t kWidth = 80;
// The rows shown; the rest are counted.
constexpr size_t kShown = 12;

size_t Columns(std::string_view text) {
  size_t n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}

// Words after `first`, wrapped at 80 columns; later lines are indented to
// `indent`.
std::string Wrapped(std::string_view first, std::string_view text, size_t indent) {
  std::string out(first);
  size_t column = Columns(first);
  size_t start = 0;
  bool line_empty = true;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(start, end - start);
    start = end + 1;
    if (word.empty()) continue;
    if (!line_empty && column + 1 + Columns(word) > kWidth) {
      out += "\n" + std::string(indent, ' ');
      column = indent;
      line_empty = true;
    }
    if (!line_empty) {
      out += ' ';
      ++column;
    }
    out += word;
    column += Columns(word);
    line_empty = false;
  }
  return out + "\n";
}

// How to open a name on the command line: quoted when it has blanks.
std::string Command(const std::string& name) {
  return "orbelin help " + (name.find(' ') == std::string::npos ? name : "\"" + name + "\"");
}

void PrintSearch(const std::string& query, const HelpSearch& found, std::FILE* out) {
  std::string text;
  if (!found.instead.empty()) {
    text += Wrapped(
        "",
        "Nothing in the handbook speaks of '" + query + "'; it does of '" + found.instead + "':",
        0);
  } else {
    text += Wrapped("", "The handbook on '" + query + "':", 0);
  }
  const size_t shown = std::min(found.found.size(), kShown);
  size_t width = 0;
  for (size_t i = 0; i < shown; ++i) {
    const HelpFound& f = found.found[i];
    if (!f.title.empty()) width = std::max(width, std::min<size_t>(Columns(f.name), 14));
  }
  for (size_t i = 0; i < shown; ++i) {
    const HelpFound& f = found.found[i];
    if (f.title.empty()) {
      text += Wrapped("  " + f.name, "", 4);
      continue;
    }
    if (Columns(f.name) > width) {
      // A long list of keys stands on lines of its own, the title below.
      text += Wrapped("  ", f.name, 4);
      text += Wrapped(std::string(width + 4, ' '), f.title, width + 4);
      continue;
    }
    std::string name = "  " + f.name;
    name.append(width + 2 - Columns(f.name), ' ');
    text += Wrapped(name, f.title, width + 4);
  }
  if (found.found.size() > shown) {
    text +=
        "  and " + std::to_string(found.found.size() - shown) + " more; more words find fewer.\n";
  }
  if (!found.unanswered.empty() && found.instead.empty()) {
    std::string words;
    for (const std::string& w : found.unanswered) words += (words.empty() ? "'" : ", '") + w + "'";
    text += Wrapped("", "Nothing in the handbook speaks of " + words + ".", 0);
  }
  text += Wrapped("", "'" + Command(found.found.front().name) + "' shows the first of them.", 0);
  std::fputs(text.c_str(), out);
}

const char kHelpUsage[] =
    "Usage: orbelin help [WORD...]\n"
    "\n"
    "The handbook on the terminal. Without words, the topics and every keyword.\n"
    "With a keyword (in any case), a topic, a message number such as E111 or a\n"
    "section's heading, its entry; several keywords, each entry. Any other words\n"
    "are one question, looked for in the whole handbook by meaning, accents and\n"
    "case aside:\n"
    "\n"
    "  orbelin help CBP                 the entry of a keyword\n"
    "  orbelin help E6                  what an error message means\n"
    "  orbelin help how far             what finds a distance\n"
    "  orbelin help quersumme           the digit sum, by its German name\n"
    "  orbelin help \"cookbook: Morse\"   one section of a chapter\n"
    "\n"
    "Exit status: 0 when something was found, 2 when nothing was.\n";

}  // namespace

int RunHelpCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.empty()) {
    std::fputs(help_data::kIndex, out);
    return 0;
  }
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kHelpUsage, out);
    return 0;
  }
  // Every word an entry's name: each entry.
  std::vector<std::string> entries;
  for (const std::string& word : args) {
    std::optional<std::string> entry = HelpEntry(word);
    if (!entry) break;
    entries.push_back(std::move(*entry));
  }
  if (entries.size() == args.size()) {
    for (size_t i = 0; i < entries.size(); ++i) {
      if (i > 0) std::fputc('\n', out);
      std::fputs(entries[i].c_str(), out);
    }
    return 0;
  }
  std::string query;
  for (const std::string& word : args) query += (query.empty() ? "" : " ") + word;
  if (std::optional<std::string> entry = HelpEntry(query)) {
    std::fputs(entry->c_str(), out);
    return 0;
  }
  const HelpSearch found = SearchHelp(query);
  if (!found.empty()) {
    PrintSearch(query, found, out);
    return 0;
  }
  std::fprintf(err, "orbelin help: nothing in the handbook speaks of '%s'.\n", query.c_str());
  std::vector<std::string> nearest;
  for (const std::string& word : args) {
    for (const std::string& s : SuggestKeywords(word)) {
      if (!Contains(nearest, s)) nearest.push_back(s);
    }
  }
  std::string names;
  for (const std::string& s : nearest) names += (names.empty() ? "" : ", ") + s;
  if (!names.empty()) std::fprintf(err, "Nearest: %s.\n", names.c_str());
  std::fputs("'orbelin help' lists every topic and keyword.\n", err);
  return 2;
}

}  // namespace orbelin
