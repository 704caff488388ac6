// The characters of a box's text that a script file cannot hold: Windows-1252
// has no byte for them, so saving turns each into '?'.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// Each such character once, in the order of its first appearance. `text` is
// UTF-8.
std::u32string CharactersLostOnSave(std::string_view text);

// The characters of `characters` that are not among `these`: those not yet
// told of, or not yet agreed to.
std::u32string CharactersNotIn(std::u32string_view characters, std::u32string_view these);

// The characters for a message: "Ω", "Ω and 😀", "Ω, № and 😀"; with
// `word` "or" in place of "and".
std::string ListCharacters(std::u32string_view characters, std::string_view word = "and");

}  // namespace orbelin
