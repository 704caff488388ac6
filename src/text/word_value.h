// The word value of puzzles: the letters' places in the alphabet added up,
// A = 1 to Z = 26, or the other way round, Z = 1 to A = 26.
//
// German puzzles count an umlaut as the two letters it stands for: Ä, Ö and
// Ü (either case) as AE, OE and UE, and ß as SS. Every other character adds
// 0: blanks, punctuation, digits and the other accented letters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/text_notice.h"

namespace orbelin {

enum class LetterOrder { kAtoZ, kZtoA };

double WordValue(std::string_view text, LetterOrder order);

// The letters of numbers: "8 5 12 12 15" is HELLO (A = 1 ... Z = 26).
// Numbers stand apart by blanks, commas, hyphens or full stops; a slash or
// a vertical bar is a word gap and writes a blank.
struct LettersOfNumbers {
  std::string text;   // the letters, when every number was one
  std::string error;  // else what is wrong, for the hint; "" when all is well
};
LettersOfNumbers LettersOf(std::string_view numbers);

// What a letter sum says of the characters it counts 0 although a reader
// may take them for letters: the accented letters beyond A to Z (for
// `keyword` AZSUM or ZASUM also the digits, and not the umlauts and ß that
// it counts). Nothing when there are none.
std::vector<TextNotice> UncountedNotices(std::string_view keyword, std::string_view text);

}  // namespace orbelin
