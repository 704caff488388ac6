#include "text/keypad.h"

#include "base/ascii.h"

namespace orbelin {

namespace {

// The letters of the keys 2 to 9.
constexpr std::string_view kKeys[10] = {"",    "",    "ABC",  "DEF", "GHI",
                                        "JKL", "MNO", "PQRS", "TUV", "WXYZ"};

// The key of a capital and how many times it is pressed for it.
void KeyOf(char capital, int* key, int* taps) {
  for (int k = 2; k <= 9; ++k) {
    const size_t at = kKeys[k].find(capital);
    if (at != std::string_view::npos) {
      *key = k;
      *taps = static_cast<int>(at) + 1;
      return;
    }
  }
}

}  // namespace

std::string TextToTaps(std::string_view text) {
  std::string out;
  for (char c : text) {
    std::string group;
    if (IsAsciiLetter(c)) {
      int key = 0, taps = 0;
      KeyOf(FoldAscii(c), &key, &taps);
      group.assign(static_cast<size_t>(taps), static_cast<char>('0' + key));
    } else if (c == ' ') {
      group = "0";
    } else {
      continue;
    }
    if (!out.empty()) out += ' ';
    out += group;
  }
  return out;
}

std::string TextToKeys(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (!IsAsciiLetter(c)) continue;
    int key = 0, taps = 0;
    KeyOf(FoldAscii(c), &key, &taps);
    c = static_cast<char>('0' + key);
  }
  return out;
}

TapsReading TapsToText(std::string_view taps) {
  TapsReading out;
  auto refuse = [&](std::string why) {
    out.text.clear();
    out.error = std::move(why);
    return out;
  };
  size_t i = 0;
  while (i < taps.size()) {
    const char c = taps[i];
    if (c == ' ' || c == ',' || c == '-' || c == '.') {
      ++i;
    } else if (c == '0' || c == '/' || c == '|') {
      out.text += ' ';
      ++i;
    } else if (c >= '2' && c <= '9') {
      size_t end = i;
      while (end < taps.size() && taps[end] == c) ++end;
      const std::string_view key = kKeys[c - '0'];
      const size_t pressed = end - i;
      if (pressed > key.size()) {
        return refuse("key " + std::string(1, c) + " pressed " + std::to_string(pressed) +
                      " times (" + std::string(taps.substr(i, pressed)) +
                      "), but it has only the " + std::to_string(key.size()) + " letters " +
                      std::string(key) +
                      ": put a blank between two letters of one key, as in 555 555 for LL");
      }
      out.text += key[pressed - 1];
      i = end;
    } else if (c == '1') {
      return refuse(
          "the key 1 has no letters: the letters are on the keys 2 to 9, and 0 is the "
          "blank");
    } else {
      return refuse("'" + std::string(1, c) +
                    "' is no key: write the taps with the digits 2 to 9, apart by blanks, as in "
                    "'44 33 555 555 666', and a blank between words as 0");
    }
  }
  return out;
}

}  // namespace orbelin
