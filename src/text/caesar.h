// The Caesar shift with any shift, forward or back, and Atbash, the
// alphabet read backwards. Both keep the case of each letter and pass every
// other byte (digits, blanks, punctuation, accented letters) unchanged.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// Moves each letter `shift` places on in the alphabet, wrapping from Z to
// A; a negative shift moves back. Only shift mod 26 matters.
std::string CaesarShift(std::string_view text, long long shift);

// A = Z, B = Y, ... Z = A: its own inverse.
std::string Atbash(std::string_view text);

}  // namespace orbelin
