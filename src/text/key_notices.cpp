#include "text/key_notices.h"

#include <string>

#include "base/ascii.h"
#include "text/letter_index.h"

namespace orbelin {

namespace {

constexpr char kExampleAlphabet[] = "QWERTZUIOPASDFGHJKLYXCVBNM";

// A key character as the messages name it: a blank is a word, anything
// else stands between apostrophes, which a key can never hold.
std::string Named(char c) {
  return c == ' ' ? std::string("the blank") : "'" + std::string(1, c) + "'";
}

// The letters A + i for the marked i, runs of three or more as "U to Z":
// "B, F and U to Z".
std::string LetterList(const bool (&marked)[26]) {
  std::vector<std::string> items;
  for (int i = 0; i < 26;) {
    if (!marked[i]) {
      ++i;
      continue;
    }
    int j = i;
    while (j + 1 < 26 && marked[j + 1]) ++j;
    const std::string first(1, static_cast<char>('A' + i));
    if (j - i >= 2) {
      items.push_back(first + " to " + static_cast<char>('A' + j));
    } else {
      items.push_back(first);
      if (j > i) items.emplace_back(1, static_cast<char>('A' + j));
    }
    i = j + 1;
  }
  std::string s;
  for (size_t k = 0; k < items.size(); ++k) {
    if (k > 0) s += k + 1 == items.size() ? " and " : ", ";
    s += items[k];
  }
  return s;
}

}  // namespace

std::vector<TextNotice> KeyNotices(std::string_view keyword, std::string_view key) {
  const std::string call(keyword);
  if (key.empty()) {
    return {{TextNotice::Kind::kWarning, "an empty key leaves every text unchanged",
             "write the key between the apostrophes, as in " + call + "('KEY');"}};
  }
  std::string odd;      // the characters that are no letters, each once
  std::string letters;  // the key without them
  for (char c : key) {
    if (IsAsciiLetter(c)) {
      letters += c;
    } else if (odd.find(c) == std::string::npos) {
      odd += c;
    }
  }
  if (odd.empty()) return {};
  // A key character moves by its code minus 65, as a letter would.
  std::string as;
  for (char c : odd) {
    if (!as.empty()) as += ", ";
    as += Named(c) + " as " + static_cast<char>('A' + Mod26(static_cast<signed char>(c) - 'A'));
  }
  std::string message = odd.size() == 1
                            ? "the key holds a character that is no letter, and it still counts "
                              "as a key letter: "
                            : "the key holds characters that are no letters, and each still "
                              "counts as a key letter: ";
  std::string hint = letters.empty()
                         ? "a key is a word of letters, as in " + call + "('KEY');"
                         : "for a key of its letters only, write " + call + "('" + letters + "');";
  return {{TextNotice::Kind::kWarning, message + as, hint}};
}

std::vector<TextNotice> AlphabetNotices(std::string_view alphabet) {
  const std::string example = std::string("TRANSI('") + kExampleAlphabet + "');";
  if (alphabet.empty()) {
    return {{TextNotice::Kind::kWarning, "an empty alphabet leaves every text unchanged",
             "write the 26 capitals in their new order, as in " + example}};
  }
  const std::string_view used = alphabet.substr(0, 26);
  bool small = false, capital = false;
  int seen[26] = {};
  bool encipher_leaves[26] = {};  // TRANSR: the place holds no capital
  for (size_t i = 0; i < 26; ++i) {
    const char c = i < used.size() ? used[i] : '\0';
    small |= IsAsciiLower(c);
    if (IsAsciiUpper(c)) {
      capital = true;
      ++seen[c - 'A'];
    } else {
      encipher_leaves[i] = true;
    }
  }
  std::string upper(alphabet);
  for (char& c : upper) c = FoldAscii(c);
  const std::string hint =
      small ? "write it in capitals: TRANSI('" + upper + "');"
            : "a keyed alphabet holds each of the 26 capitals once, as in " + example;
  if (!capital) {
    return {{TextNotice::Kind::kWarning,
             std::string(small ? "the alphabet is in small letters, which count for nothing"
                               : "the alphabet holds no capitals") +
                 ": TRANS and TRANSR leave every text unchanged",
             hint}};
  }

  std::vector<std::string> parts;
  if (small) parts.emplace_back("small letters in the alphabet count for nothing");
  if (used.size() < 26) {
    parts.push_back("the alphabet has only " + std::to_string(used.size()) + " characters");
  }
  if (alphabet.size() > 26) {
    parts.emplace_back("only the first 26 characters of the alphabet count");
  }
  bool decipher_leaves[26] = {}, twice[26] = {};
  int lacking = 0, twice_count = 0;
  for (int i = 0; i < 26; ++i) {
    decipher_leaves[i] = seen[i] == 0;
    twice[i] = seen[i] > 1;
    lacking += decipher_leaves[i];
    twice_count += twice[i];
  }
  bool any_encipher = false;
  for (bool b : encipher_leaves) any_encipher |= b;
  if (any_encipher) parts.push_back("TRANSR leaves " + LetterList(encipher_leaves) + " unchanged");
  if (lacking > 0) {
    parts.push_back("TRANS leaves " + LetterList(decipher_leaves) +
                    (lacking == 1 ? " unchanged, as the alphabet lacks it"
                                  : " unchanged, as the alphabet lacks them"));
  }
  if (twice_count > 0) {
    parts.push_back(LetterList(twice) + (twice_count == 1 ? " stands" : " stand") +
                    " more than once, and TRANS takes the last place");
  }
  if (parts.empty()) return {};
  std::string message;
  for (const std::string& p : parts) message += (message.empty() ? "" : "; ") + p;
  return {{TextNotice::Kind::kWarning, message, hint}};
}

}  // namespace orbelin
