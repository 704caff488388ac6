// Bacon's cipher: each letter as five A's and B's, its place in the
// alphabet counted from 0 in binary with A for 0 and B for 1. Bacon's own
// alphabet has 24 letters, I and J sharing AB AAA and U and V sharing
// BAABB; the later one has all 26, A = AAAAA to Z = BBAAB.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// The letters, 24 or 26.
bool IsBaconAlphabet(double letters);

// The groups of five in capitals, apart by blanks; " / " between words.
// Other characters are left out.
std::string BaconEncode(std::string_view text, int letters);

// A's and B's in either case (blanks anywhere; a slash or bar is a word gap
// and writes a blank) back to capitals, I for I and J and, in the 24-letter
// alphabet, U for U and V. Either the text or what is wrong.
struct BaconReading {
  std::string text;
  std::string error;  // "" when it was read
};
BaconReading BaconDecode(std::string_view code, int letters);

}  // namespace orbelin
