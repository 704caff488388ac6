#include "text/plugboard.h"

#include "base/ascii.h"

namespace orbelin {

namespace {

// Calls f with each run of characters between blanks.
template <class F>
void ForEachGroup(std::string_view text, F f) {
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    f(text.substr(start, i - start));
  }
}

// The partner of the letter's last pair, or the letter itself.
char Partner(std::string_view pairs, char c) {
  char result = c;
  for (size_t k = 0; k + 1 < pairs.size(); k += 2) {
    if (pairs[k] == c) result = pairs[k + 1];
    if (pairs[k + 1] == c) result = pairs[k];
  }
  return result;
}

// "AB", "AB and AC", "AB, AC and AD".
std::string Listed(const std::vector<std::string>& items) {
  std::string s;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) s += i + 1 == items.size() ? " and " : ", ";
    s += items[i];
  }
  return s;
}

}  // namespace

size_t PlugCharacters(std::string_view plugs) {
  size_t n = 0;
  for (char c : plugs) n += c != ' ';
  return n;
}

std::string PlugPairs(std::string_view plugs) {
  std::string pairs;
  ForEachGroup(plugs, [&](std::string_view g) {
    for (size_t k = 0; k + 1 < g.size(); k += 2) {
      if (IsAsciiUpper(g[k]) && IsAsciiUpper(g[k + 1])) pairs.append(g.substr(k, 2));
    }
  });
  return pairs;
}

std::vector<TextNotice> PlugboardNotices(std::string_view plugs) {
  std::vector<TextNotice> notices;
  auto warn = [&](std::string message, std::string hint) {
    notices.push_back({TextNotice::Kind::kWarning, std::move(message), std::move(hint)});
  };
  ForEachGroup(plugs, [&](std::string_view g) {
    for (size_t k = 0; k + 1 < g.size(); k += 2) {
      if (IsAsciiUpper(g[k]) && IsAsciiUpper(g[k + 1])) continue;
      warn("the plug " + std::string(g.substr(k, 2)) +
               " is ignored: only the letters A to Z can be plugged",
           "");
    }
    if (g.size() % 2 != 0) {
      warn("the plugs " + std::string(g) + " end in a single " + std::string(1, g.back()) +
               ": it has no partner and is not plugged",
           "write the plugs in pairs, as in 'AB CD EF'");
    }
  });

  const std::string pairs = PlugPairs(plugs);
  for (char c = 'A'; c <= 'Z'; ++c) {
    std::vector<std::string> in;
    std::string partners;
    for (size_t k = 0; k < pairs.size(); k += 2) {
      const std::string_view pair = std::string_view(pairs).substr(k, 2);
      if (pair[0] != c && pair[1] != c) continue;
      in.emplace_back(pair);
      const char other = pair[0] == c ? pair[1] : pair[0];
      if (other != c && partners.find(other) == std::string::npos) partners += other;
    }
    if (in.size() == 1 && in[0][0] == in[0][1]) {
      warn("the plug " + in[0] + " swaps " + std::string(1, c) + " with itself: it does nothing",
           "");
    }
    if (in.size() < 2) continue;
    // Each letter goes to the partner of its last pair, so the plugs are no
    // longer swaps: say where each letter involved goes.
    std::string goes = std::string(1, c) + " goes to " + Partner(pairs, c);
    for (char p : partners) goes += std::string(", ") + p + " to " + Partner(pairs, p);
    warn(std::string(1, c) + " stands in " + std::to_string(in.size()) + " plugs, " + Listed(in) +
             ": " + goes,
         "a letter belongs in one plug only; otherwise the machine does not decipher its own "
         "text");
  }
  return notices;
}

}  // namespace orbelin
