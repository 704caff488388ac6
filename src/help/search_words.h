// The words that help's search compares: lower case, accents dropped (é is
// e, ä is a, ß is ss), split at everything that is not a letter or a digit.
// The help generator folds the handbook's text with it, `orbelin help` the
// word asked for; the web page folds the same way (NFD without the marks).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbelin::help_search {

// The base letter of a Latin-1 letter with an accent, or 0.
constexpr char BaseLetter(unsigned cp) {
  constexpr std::string_view kFrom00C0 =
      "aaaaaaaceeeeiiii"   // C0..CF: À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï
      "dnooooo_ouuuuy_s"   // D0..DF: Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß
      "aaaaaaaceeeeiiii"   // E0..EF
      "dnooooo_ouuuuy_y";  // F0..FF
  if (cp < 0xC0 || cp > 0xFF) return 0;
  char c = kFrom00C0[cp - 0xC0];
  return c == '_' ? 0 : c;
}

// The folded words of a UTF-8 text, in their order.
inline std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  auto end_word = [&] {
    if (!word.empty()) words.push_back(std::move(word));
    word.clear();
  };
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    unsigned cp = c;
    size_t len = 1;
    if (c >= 0xC0 && i + 1 < text.size()) {  // two-byte sequences cover Latin-1
      len = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
      cp = len == 2 ? ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) : 0;
    }
    i += len;
    if ((cp >= 'a' && cp <= 'z') || (cp >= '0' && cp <= '9')) {
      word += static_cast<char>(cp);
    } else if (cp >= 'A' && cp <= 'Z') {
      word += static_cast<char>(cp - 'A' + 'a');
    } else if (cp == 0xDF) {
      word += "ss";
    } else if (char base = BaseLetter(cp)) {
      word += base;
    } else {
      end_word();
    }
  }
  end_word();
  return words;
}

// Whether a text holds a sign: anything but letters, digits and blanks
// (`°N`, `->`, `;`). Such a text is looked for as it is written.
inline bool HasSigns(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == ' ')) {
        return true;
      }
      ++i;
      continue;
    }
    if (c < 0xC0 || c >= 0xE0 || i + 1 >= text.size()) return true;
    unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
    if (cp != 0xDF && BaseLetter(cp) == 0) return true;
    i += 2;
  }
  return false;
}

// Whether a word of the text answers a word asked for: it begins with it
// ("enigma" finds ENIGMARUN), or is a stem of it of four letters or more
// that it goes on from by three letters at most ("project" answers
// "projection", "error" answers "errors"). A word asked for of one or two
// letters must be the word itself.
inline bool Answers(std::string_view text_word, std::string_view asked) {
  if (asked.size() < 3) return text_word == asked;
  if (text_word.starts_with(asked)) return true;
  return text_word.size() >= 4 && asked.starts_with(text_word) &&
         asked.size() <= text_word.size() + 3;
}

}  // namespace orbelin::help_search
