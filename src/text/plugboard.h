// The Enigma's plugboard text: pairs of letters to swap, written together
// ('ABQF') or apart ('AB QF'). Blanks only separate: each blank-separated
// group is read two by two, so no pair straddles a blank.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/text_notice.h"

namespace orbelin {

// The characters of the text that are not blanks; the pairs need an even
// number of them.
size_t PlugCharacters(std::string_view plugs);

// The pairs that swap, two letters each, in the order written. A pair that
// holds a byte other than A..Z, and the last character of a group of odd
// length, plug nothing. Expects the text upper-cased.
std::string PlugPairs(std::string_view plugs);

// What the upper-cased plugboard text does otherwise than plugging each
// letter once: a pair that is no pair of letters, a letter left without a
// partner, a letter in two plugs.
std::vector<TextNotice> PlugboardNotices(std::string_view plugs);

}  // namespace orbelin
