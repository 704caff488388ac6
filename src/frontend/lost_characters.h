// The characters of a box's text that a script file cannot hold: Windows-1252
// has no byte for them, so saving turns each into '?'.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orbelin {

// Each such character once, in the order of its first appearance. `text` is
// UTF-8.
std::u32string CharactersLostOnSave(std::string_view text);

// The characters for a message: "Ω", "Ω and 😀", "Ω, № and 😀"; with
// `word` "or" in place of "and".
std::string ListCharacters(std::u32string_view characters, std::string_view word = "and");

// A character that became '?' when a UTF-8 text was made a script's
// Windows-1252 text, and where its '?' stands there. The hints name it: the
// '?' the script shows was a ′ pasted from a web page.
struct LostCharacter {
  size_t position = 0;
  char32_t character = 0;
};

// The characters of `utf8` that `converted` holds as '?', where `converted`
// is `utf8` in Windows-1252 (each character one byte, invalid bytes '?'),
// its line feeds perhaps widened to CR LF. One pass over both.
std::vector<LostCharacter> LostCharacterPlaces(std::string_view utf8, std::string_view converted);

}  // namespace orbelin
