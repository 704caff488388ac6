// Texts as the character codes puzzles print them, and back. Codes are
// those of Windows-1252, the scripts' own character set (ä is 228), written
// in a base from 2 to 36. In every base but 10 a code is written with as
// many digits as 255 needs, leading zeros included: eight in base 2
// (01001000), two in base 16 (48).
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// The codes of the text's bytes, apart by blanks.
std::string TextToCodes(std::string_view text, int base);

// The text of codes apart by blanks, commas or semicolons. In a base but 10
// a run of digits longer than one code is cut into codes of its width
// ('0100100001101001' in base 2 is two codes). Either the text or what is
// wrong: a digit not of the base, a code of 0 or above 255.
struct CodesReading {
  std::string text;
  std::string error;  // "" when every code was read
};
CodesReading CodesToText(std::string_view codes, int base);

}  // namespace orbelin
