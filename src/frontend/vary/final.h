// A formula final as the cache page writes it, "N 48° 1A.BCD E 011° 3E.FGH",
// as a value search takes it (VaryRequest::final_pattern): what a dialog
// offers to try, and what is wrong with it before anything runs. The grammar
// and the evaluation are the interpreter's (interp/final_pattern.h), where
// FINAL2GPS reads the same text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbelin {

// The longest pattern taken: the search hands it to FINAL2GPS as a text of
// the script, which holds at most 253 bytes.
inline constexpr size_t kLongestFinalPattern = 200;

// The variables the pattern uses, letters and the names in its brackets, in
// order of first appearance, folded to capitals: what to offer to try. A
// pattern with a mistake gives those before the mistake. Windows-1252.
std::vector<std::string> FinalLetters(std::string_view pattern);

// What is wrong with the pattern's form, as sentences with what to write
// instead; empty when it reads. Values are not needed: what a combination's
// values do wrong (a letter of 12, a bracket giving -3) is an error of that
// run, counted like any other.
std::vector<std::string> CheckFinalPattern(std::string_view pattern);

}  // namespace orbelin
