#include "text/word_value.h"

#include "base/ascii.h"

namespace orbelin {

namespace {

// How a puzzle spells a Windows-1252 letter beyond A to Z in plain capitals
// (Ä as AE, é as E, Þ as TH); "" for every byte that is no such letter.
std::string_view Spelling(unsigned char c) {
  switch (c) {
    case 0x8A:  // Š
    case 0x9A:  // š
      return "S";
    case 0x8C:  // Œ
    case 0x9C:  // œ
      return "OE";
    case 0x8E:  // Ž
    case 0x9E:  // ž
      return "Z";
    case 0x9F:  // Ÿ
      return "Y";
    case 0xDF:  // ß
      return "SS";
    default:
      break;
  }
  if (c < 0xC0 || c == 0xD7 || c == 0xF7) return "";
  // 0xC0 to 0xDE, and the small letters 0xE0 to 0xFE 32 above them.
  static constexpr std::string_view kCapitals[31] = {
      "A", "A", "A", "A", "AE", "A", "AE", "C",  // À Á Â Ã Ä Å Æ Ç
      "E", "E", "E", "E", "I",  "I", "I",  "I",  // È É Ê Ë Ì Í Î Ï
      "D", "N", "O", "O", "O",  "O", "OE", "",   // Ð Ñ Ò Ó Ô Õ Ö ×
      "O", "U", "U", "U", "UE", "Y", "TH",       // Ø Ù Ú Û Ü Ý Þ
  };
  if (c == 0xFF) return "Y";  // ÿ
  return kCapitals[(c & ~0x20) - 0xC0];
}

// Whether the word value counts the letter as the two it stands for.
bool IsUmlautOrSharpS(unsigned char c) {
  switch (c) {
    case 0xC4:  // Ä
    case 0xD6:  // Ö
    case 0xDC:  // Ü
    case 0xE4:  // ä
    case 0xF6:  // ö
    case 0xFC:  // ü
    case 0xDF:  // ß
      return true;
    default:
      return false;
  }
}

int Place(char capital, LetterOrder order) {
  return order == LetterOrder::kAtoZ ? capital - 'A' + 1 : 'Z' - capital + 1;
}

bool IsWordSum(std::string_view keyword) {
  return keyword == "AZSUM" || keyword == "ZASUM";
}

std::string Quoted(char c) {
  return "'" + std::string(1, c) + "'";
}

}  // namespace

double WordValue(std::string_view text, LetterOrder order) {
  double sum = 0;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (IsAsciiLetter(c)) {
      sum += Place(FoldAscii(c), order);
    } else if (IsUmlautOrSharpS(u)) {
      for (char letter : Spelling(u)) sum += Place(letter, order);
    }
  }
  return sum;
}

LettersOfNumbers LettersOf(std::string_view numbers) {
  LettersOfNumbers out;
  size_t i = 0;
  while (i < numbers.size()) {
    const char c = numbers[i];
    if (c == ' ' || c == ',' || c == '-' || c == '.') {
      ++i;
    } else if (c == '/' || c == '|') {
      out.text += ' ';
      ++i;
    } else if (IsAsciiDigit(c)) {
      const size_t start = i;
      int value = 0;
      for (; i < numbers.size() && IsAsciiDigit(numbers[i]); ++i) {
        if (value <= 26) value = value * 10 + (numbers[i] - '0');  // stays small
      }
      if (value < 1 || value > 26) {
        out.error = std::string(numbers.substr(start, i - start)) +
                    " is no letter: the letters are 1 (A) to 26 (Z)";
        out.text.clear();
        return out;
      }
      out.text += static_cast<char>('A' + value - 1);
    } else {
      out.error = Quoted(c) +
                  " is no number: write the numbers apart by blanks or commas, as in "
                  "'8 5 12 12 15', and a word gap as /";
      out.text.clear();
      return out;
    }
  }
  return out;
}

std::vector<TextNotice> UncountedNotices(std::string_view keyword, std::string_view text) {
  const bool word_sum = IsWordSum(keyword);
  std::string uncounted;  // each character once, in the order of the text
  char first_letter = 0;  // the first accented letter among them
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool letter = !Spelling(u).empty() && !(word_sum && IsUmlautOrSharpS(u));
    const bool digit = word_sum && IsAsciiDigit(c);
    if (!(letter || digit) || uncounted.find(c) != std::string::npos) continue;
    uncounted += c;
    if (letter && first_letter == 0) first_letter = c;
  }
  if (uncounted.empty()) return {};

  std::string named;
  for (size_t k = 0; k < uncounted.size(); ++k) {
    if (k > 0) named += k + 1 == uncounted.size() ? " and " : ", ";
    named += Quoted(uncounted[k]);
  }
  std::string message =
      named + (uncounted.size() == 1 ? " counts" : " count") + " 0 in " + std::string(keyword);
  std::string only = word_sum ? "only the letters A to Z count, with \xC4, \xD6, \xDC as AE, OE, "
                                "UE and \xDF as SS"
                              : "only the letters A to Z and the digits count";
  std::string hint = first_letter != 0
                         ? only + ": write the letters the puzzle means, as " +
                               std::string(Spelling(static_cast<unsigned char>(first_letter))) +
                               " for " + Quoted(first_letter)
                         : only + ": add a digit yourself where the puzzle counts it";
  return {{TextNotice::Kind::kNote, std::move(message), std::move(hint)}};
}

}  // namespace orbelin
