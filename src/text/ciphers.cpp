#include "text/ciphers.h"

#include "base/ascii.h"
#include "base/maths.h"
#include "text/letter_index.h"

namespace orbelin {

namespace {

// Codes are signed 8-bit, so accented letters are negative and never letters.
int Code(char c) {
  return static_cast<signed char>(c);
}
// The first letter of the code's case.
int Base(int code) {
  return IsAsciiLower(code) ? 'a' : 'A';
}
char Byte(int code) {
  return static_cast<char>(code);
}

// A key character, counted from A = 0.
int KeyShift(KeyStore& key) {
  return Code(key.Next()) - 'A';
}

}  // namespace

std::string Rot(std::string_view text, double shift) {
  int n = 0;
  if (maths::isfinite(shift)) {
    double r = maths::fmod(maths::trunc(shift), 26.0);  // exact for whole numbers
    n = static_cast<int>(r < 0 ? r + 26 : r);
  }
  std::string out(text);
  for (char& c : out) {
    int code = Code(c);
    if (!IsAsciiLetter(code)) continue;
    int last = IsAsciiLower(code) ? 'z' : 'Z';
    code += n;
    if (code > last) code -= 26;
    c = Byte(code);
  }
  return out;
}

std::string VigenereEncipher(KeyStore& key, std::string_view text) {
  std::string out(text);
  if (key.empty()) return out;
  for (char& c : out) {
    int code = Code(c);
    if (!IsAsciiLetter(code)) continue;
    c = Byte(Base(code) + Mod26(FoldAscii(code) - 'A' + KeyShift(key)));
  }
  return out;
}

std::string VigenereDecipher(KeyStore& key, std::string_view text) {
  std::string out(text);
  if (key.empty()) return out;
  for (char& c : out) {
    int code = Code(c);
    if (!IsAsciiLetter(code)) continue;
    c = Byte(Base(code) + Mod26(FoldAscii(code) - 'A' - KeyShift(key)));
  }
  return out;
}

std::string SubtractKey(KeyStore& key, std::string_view text) {
  std::string out(text);
  if (key.empty()) return out;
  for (char& c : out) {
    int code = Code(c);
    if (IsAsciiLetter(code)) {
      // In letter numbers the key is subtracted and 0 becomes Z (26), hence
      // the extra 1 with letters counted from 0.
      c = Byte(Base(code) + Mod26(FoldAscii(code) - 'A' - KeyShift(key) - 1));
    } else if (static_cast<unsigned char>(c) == 0xDF) {  // ß stands for two letters
      key.Next();
      key.Next();
    } else if (c == '?') {  // an unknown letter still takes its key letter
      key.Next();
    }
  }
  return out;
}

std::string AlphabetEncipher(const KeyStore& alphabet, std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    int code = Code(c);
    if (!IsAsciiLetter(code)) continue;
    int keyed = Code(alphabet.at(static_cast<size_t>(code - Base(code))));
    if (IsAsciiUpper(keyed)) c = Byte(keyed + Base(code) - 'A');
  }
  return out;
}

std::string AlphabetDecipher(const KeyStore& alphabet, std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    int code = Code(c);
    if (!IsAsciiLetter(code)) continue;
    int place = -1;
    for (int i = 0; i < 26; ++i) {
      if (Code(alphabet.at(i)) == FoldAscii(code)) place = i;
    }
    if (place >= 0) c = Byte(Base(code) + place);
  }
  return out;
}

}  // namespace orbelin
