// The Playfair cipher by the textbook rules, on the 5 x 5 square of a key
// (key_square.h). The text's letters are taken in pairs, J as I; a pair of
// one letter twice gets an X between them (a Q when the letter is X), and
// a last letter alone gets one after it. Then each pair:
//   in one row        each letter is replaced by the one to its right,
//   in one column     each by the one below it (both wrapping round),
//   otherwise         each by the letter in its own row and the other's
//                     column (the corners of their rectangle).
// Deciphering goes left and up instead; the X fillers stay in the text.
#pragma once

#include <string>
#include <string_view>

#include "text/key_square.h"

namespace orbelin {

// The pairs in capitals, apart by blanks ("BM OD ZB"). Characters other
// than letters are left out.
std::string PlayfairEncipher(const KeySquare& square, std::string_view text);

// The letters of a cipher text (blanks between them are allowed) back to
// the plain text in capitals, or what is wrong with the text: a character
// that is no letter, an odd number of letters, or a pair of one letter
// twice, which the cipher never writes.
struct PlayfairReading {
  std::string text;
  std::string error;  // "" when the text was read
};
PlayfairReading PlayfairDecipher(const KeySquare& square, std::string_view text);

}  // namespace orbelin
