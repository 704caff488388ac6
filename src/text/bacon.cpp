#include "text/bacon.h"

#include "base/ascii.h"

namespace orbelin {

namespace {

constexpr std::string_view kLetters24 = "ABCDEFGHIKLMNOPQRSTUWXYZ";
constexpr std::string_view kLetters26 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::string_view Alphabet(int letters) {
  return letters == 24 ? kLetters24 : kLetters26;
}

// The place of a letter in the alphabet, or -1 for no ASCII letter.
int PlaceOf(char c, int letters) {
  if (!IsAsciiLetter(c)) return -1;
  char capital = FoldAscii(c);
  if (letters == 24 && capital == 'J') capital = 'I';
  if (letters == 24 && capital == 'V') capital = 'U';
  return static_cast<int>(Alphabet(letters).find(capital));
}

}  // namespace

bool IsBaconAlphabet(double letters) {
  return letters == 24 || letters == 26;
}

std::string BaconEncode(std::string_view text, int letters) {
  std::string out;
  bool gap = false;
  for (char c : text) {
    const int place = PlaceOf(c, letters);
    if (place < 0) {
      gap = gap || c == ' ';
      continue;
    }
    if (!out.empty()) out += gap ? " / " : " ";
    gap = false;
    for (int bit = 4; bit >= 0; --bit) out += (place >> bit) & 1 ? 'B' : 'A';
  }
  return out;
}

BaconReading BaconDecode(std::string_view code, int letters) {
  BaconReading out;
  std::string group;
  auto word_end = [&]() -> bool {
    if (group.empty()) return true;
    out.error = std::to_string(group.size()) +
                (group.size() == 1 ? " A or B is" : " A's and B's are") +
                " left over at the end of a word: each letter is five of them, so one is "
                "missing or one too many";
    return false;
  };
  for (char c : code) {
    const char capital = FoldAscii(c);
    if (c == ' ') continue;
    if (c == '/' || c == '|') {
      if (!word_end()) break;
      out.text += ' ';
      continue;
    }
    if (capital != 'A' && capital != 'B') {
      out.error = "'" + std::string(1, c) +
                  "' is neither A nor B: write each letter as five A's and B's, and a word gap "
                  "as /";
      break;
    }
    group += capital;
    if (group.size() < 5) continue;
    int place = 0;
    for (char ab : group) place = place * 2 + (ab == 'B' ? 1 : 0);
    if (place >= letters) {
      const std::string_view alphabet = Alphabet(letters);
      out.error = group + " is no letter of the " + std::to_string(letters) +
                  "-letter alphabet, which ends at " + std::string(1, alphabet.back()) +
                  (letters == 24 ? " = BABBB" : " = BBAAB");
      if (letters == 24 && place < 26) {
        out.error += "; in the 26-letter one it is " +
                     std::string(1, kLetters26[static_cast<size_t>(place)]) +
                     ", so the code may be meant for 26";
      }
      break;
    }
    out.text += Alphabet(letters)[static_cast<size_t>(place)];
    group.clear();
  }
  if (out.error.empty()) word_end();
  if (!out.error.empty()) out.text.clear();
  return out;
}

}  // namespace orbelin
