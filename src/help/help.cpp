#include "help/help.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "help/help_data.h"
#include "help/search_words.h"

namespace orbelin {
namespace {

using help_data::Kind;
using help_data::kRecordCount;
using help_data::kRecords;
using help_data::Record;

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

}  // namespace

std::string HelpIndex() {
  return help_data::kIndex;
}

std::optional<std::string> HelpEntry(std::string_view word) {
  word = Trim(word);
  if (word.empty()) return std::nullopt;
  std::string upper = Upper(word);
  for (size_t i = 0; i < kRecordCount; ++i) {
    if (Upper(kRecords[i].key) == upper) {
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
    if (r.kind == Kind::kMessage) continue;
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

namespace {

// Whether every word asked for is answered by a word of the list.
bool AllAnswered(const std::vector<std::string>& asked, std::string_view list) {
  std::vector<std::string> words = help_search::Words(list);
  for (const std::string& a : asked) {
    bool found = false;
    for (const std::string& w : words) found = found || help_search::Answers(w, a);
    if (!found) return false;
  }
  return true;
}

// Signs are looked for as they are written, in any case: the keys and
// titles, then the entries' text, then the sections' headings.
HelpSearch SearchLiterally(std::string_view query) {
  HelpSearch out;
  const std::string sought = Upper(Trim(query));
  auto holds = [&](std::string_view text) { return Upper(text).find(sought) != std::string::npos; };
  for (size_t i = 0; i < help_data::kSearchEntryCount; ++i) {
    const help_data::SearchEntry& e = help_data::kSearchEntries[i];
    std::string_view keys = e.keys;
    std::optional<std::string> text = HelpEntry(keys.substr(0, keys.find(',')));
    if (holds(keys) || holds(e.title)) {
      out.named.push_back({e.keys, e.title, ""});
    } else if (text && holds(*text)) {
      out.mentioned.emplace_back(e.keys);
    }
  }
  for (size_t i = 0; i < help_data::kSearchSectionCount; ++i) {
    const help_data::SearchSection& s = help_data::kSearchSections[i];
    if (holds(s.heading)) out.sections.push_back({s.topic, s.heading, s.keys});
  }
  return out;
}

}  // namespace

HelpSearch SearchHelp(std::string_view query) {
  if (help_search::HasSigns(Trim(query))) return SearchLiterally(query);
  HelpSearch out;
  std::vector<std::string> asked = help_search::Words(query);
  if (asked.empty()) return out;
  for (size_t i = 0; i < help_data::kSearchEntryCount; ++i) {
    const help_data::SearchEntry& e = help_data::kSearchEntries[i];
    if (AllAnswered(asked, e.key_words)) {
      out.named.push_back({e.keys, e.title, ""});
    } else if (AllAnswered(asked, std::string(e.key_words) + " " + e.text_words)) {
      out.mentioned.emplace_back(e.keys);
    }
  }
  for (size_t i = 0; i < help_data::kSearchSectionCount; ++i) {
    const help_data::SearchSection& s = help_data::kSearchSections[i];
    if (AllAnswered(asked, s.heading_words)) out.sections.push_back({s.topic, s.heading, s.keys});
  }
  // An entry that a section found already lists is not repeated.
  std::erase_if(out.mentioned, [&](const std::string& key) {
    for (const HelpFound& f : out.sections) {
      if ((", " + f.holds + ", ").find(", " + key + ", ") != std::string::npos) return true;
    }
    return false;
  });
  return out;
}

namespace {

// Words after a two-blank indent, wrapped at 80 columns; later lines are
// indented by four.
std::string Wrapped(std::string_view text) {
  std::string out = " ";
  size_t column = 1;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view word = text.substr(start, end - start);
    if (column > 4 && column + 1 + word.size() > 80) {
      out += "\n   ";
      column = 3;
    }
    out += ' ';
    out += word;
    column += 1 + word.size();
    start = end + 1;
  }
  return out + "\n";
}

// The search's answer on the terminal: the entries by name with their
// titles, the sections with what they hold, then the rest by key.
void PrintSearch(const std::string& word, const HelpSearch& found, std::FILE* out) {
  std::fprintf(out, "The handbook on '%s':\n", word.c_str());
  size_t width = 0;
  for (const HelpFound& f : found.named) width = std::max(width, f.keys.size());
  for (const HelpFound& f : found.named) {
    std::fprintf(out, "  %-*s  %s\n", static_cast<int>(width), f.keys.c_str(), f.title.c_str());
  }
  for (const HelpFound& f : found.sections) {
    std::fputs(
        Wrapped(f.keys + ", section \"" + f.title + "\"" + (f.holds.empty() ? "" : ": ") + f.holds)
            .c_str(),
        out);
  }
  if (!found.mentioned.empty()) {
    std::string line = found.named.empty() && found.sections.empty() ? "Mentioned in:" : "Also in:";
    for (size_t i = 0; i < found.mentioned.size(); ++i) {
      line += " " + found.mentioned[i] + (i + 1 < found.mentioned.size() ? "," : ".");
    }
    std::fputs(Wrapped(line).c_str(), out);
  }
  std::fputs("'orbelin help WORD' shows the entry of a keyword, a topic or a message.\n", out);
}

}  // namespace

std::vector<std::string> HelpKeys() {
  std::vector<std::string> keys;
  for (size_t i = 0; i < kRecordCount; ++i) keys.emplace_back(kRecords[i].key);
  return keys;
}

int RunHelpCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.empty()) {
    std::fputs(help_data::kIndex, out);
    return 0;
  }
  int status = 0;
  bool first = true;
  for (const std::string& word : args) {
    std::optional<std::string> entry = HelpEntry(word);
    HelpSearch found = entry ? HelpSearch{} : SearchHelp(word);
    if (!entry && !found.empty()) {
      if (!first) std::fputc('\n', out);
      PrintSearch(word, found, out);
      first = false;
      continue;
    }
    if (!entry) {
      std::string names;
      for (const std::string& s : SuggestKeywords(word)) names += (names.empty() ? "" : ", ") + s;
      std::fprintf(err, "orbelin help: nothing is called '%s'.\n", word.c_str());
      if (!names.empty()) std::fprintf(err, "Nearest: %s.\n", names.c_str());
      std::fputs("'orbelin help' lists every topic and keyword.\n", err);
      status = 2;
      continue;
    }
    if (!first) std::fputc('\n', out);
    std::fputs(entry->c_str(), out);
    first = false;
  }
  return status;
}

}  // namespace orbelin
