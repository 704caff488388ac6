#include "frontend/lost_characters.h"

#include "base/cp1252.h"
#include "base/utf8.h"

namespace orbelin {

std::u32string CharactersLostOnSave(std::string_view text) {
  std::u32string lost;
  for (size_t i = 0; i < text.size();) {
    char32_t cp;
    const size_t length = DecodeUtf8(text, i, &cp);
    if (length == 0) {
      ++i;
      continue;
    }
    i += length;
    if (cp != U'?' && CodePointToCp1252(cp) == '?' && lost.find(cp) == std::u32string::npos) {
      lost += cp;
    }
  }
  return lost;
}

std::vector<LostCharacter> LostCharacterPlaces(std::string_view utf8, std::string_view converted) {
  std::vector<LostCharacter> lost;
  size_t j = 0;
  for (size_t i = 0; i < utf8.size() && j < converted.size();) {
    char32_t cp = U'?';
    const size_t length = DecodeUtf8(utf8, i, &cp);
    i += length == 0 ? 1 : length;
    if (cp == U'\n' && converted[j] == '\r' && (i < 2 || utf8[i - 2] != '\r')) ++j;
    if (length != 0 && cp != U'?' && j < converted.size() && converted[j] == '?') {
      lost.push_back({j, cp});
    }
    ++j;
  }
  return lost;
}

std::string ListCharacters(std::u32string_view characters, std::string_view word) {
  std::string list;
  for (size_t i = 0; i < characters.size(); ++i) {
    if (i > 0) {
      list += i + 1 == characters.size() ? " " + std::string(word) + " " : ", ";
    }
    AppendUtf8(list, characters[i]);
  }
  return list;
}

}  // namespace orbelin
