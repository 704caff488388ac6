// The Polybius square: each letter is written as the row and the column of
// its cell in a 5 x 5 square (key_square.h), "11" for A in the plain
// square, up to "55" for Z; I and J share "24".
#pragma once

#include <string>
#include <string_view>

#include "text/key_square.h"

namespace orbelin {

// Each letter as its two digits, apart by blanks; where words stand apart in
// the text a " / " is written. Every other character is left out.
std::string PolybiusEncode(const KeySquare& square, std::string_view text);

// Pairs of digits 1 to 5, apart by blanks or commas or run together, back
// to capitals; a slash or a vertical bar is a word gap and writes a blank.
// Either the text or what is wrong.
struct PolybiusReading {
  std::string text;
  std::string error;  // "" when every pair was read
};
PolybiusReading PolybiusDecode(const KeySquare& square, std::string_view code);

}  // namespace orbelin
