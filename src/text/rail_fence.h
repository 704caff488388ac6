// The rail fence: the text is written in a zigzag down and up over the
// rails, then read off rail by rail. Every character takes part, blanks and
// punctuation included, so deciphering gives back exactly what was
// enciphered.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

inline constexpr int kFewestRails = 2;
inline constexpr int kMostRails = 10;

std::string RailFenceEncipher(std::string_view text, int rails);
std::string RailFenceDecipher(std::string_view text, int rails);

}  // namespace orbelin
