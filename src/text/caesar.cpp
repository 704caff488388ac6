#include "text/caesar.h"

#include "base/ascii.h"
#include "text/letter_index.h"

namespace orbelin {

std::string CaesarShift(std::string_view text, long long shift) {
  const int by = static_cast<int>(((shift % 26) + 26) % 26);
  std::string out(text);
  for (char& c : out) {
    if (!IsAsciiLetter(c)) continue;
    const char base = IsAsciiUpper(c) ? 'A' : 'a';
    c = static_cast<char>(base + Mod26(c - base + by));
  }
  return out;
}

std::string Atbash(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (!IsAsciiLetter(c)) continue;
    const char base = IsAsciiUpper(c) ? 'A' : 'a';
    c = static_cast<char>(base + 25 - (c - base));
  }
  return out;
}

}  // namespace orbelin
