#include "text/key_square.h"

#include "base/ascii.h"

namespace orbelin {

namespace {

char SquareLetter(char c) {
  const char capital = FoldAscii(c);
  return capital == 'J' ? 'I' : capital;
}

}  // namespace

int KeySquare::CellOf(char c) const {
  if (!IsAsciiLetter(c)) return -1;
  const char letter = SquareLetter(c);
  for (int i = 0; i < 25; ++i) {
    if (cells[i] == letter) return i;
  }
  return -1;
}

KeySquareResult MakeKeySquare(std::string_view key) {
  KeySquareResult out;
  std::string order;
  for (char c : key) {
    if (c == ' ') continue;
    if (!IsAsciiLetter(c)) {
      out.error = "'" + std::string(1, c) +
                  "' in the key is no letter: a key is letters A to Z, with blanks between "
                  "words if you like, as in 'PLAYFAIR EXAMPLE'";
      return out;
    }
    const char letter = SquareLetter(c);
    if (order.find(letter) == std::string::npos) order += letter;
  }
  for (char letter : std::string_view("ABCDEFGHIKLMNOPQRSTUVWXYZ")) {
    if (order.find(letter) == std::string::npos) order += letter;
  }
  KeySquare square;
  order.copy(square.cells, 25);
  out.square = square;
  return out;
}

std::vector<TextNotice> SquareNotices(std::string_view text) {
  std::string left_out;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool meant = IsAsciiDigit(c) || (u >= 0xC0 && u != 0xD7 && u != 0xF7);
    if (meant && left_out.find(c) == std::string::npos) left_out += c;
  }
  if (left_out.empty()) return {};
  std::string named;
  for (size_t k = 0; k < left_out.size(); ++k) {
    if (k > 0) named += k + 1 == left_out.size() ? " and " : ", ";
    named += "'" + std::string(1, left_out[k]) + "'";
  }
  return {{TextNotice::Kind::kWarning,
           named + (left_out.size() == 1 ? " has" : " have") + " no cell in the square and " +
               (left_out.size() == 1 ? "is" : "are") + " left out",
           "the square holds the letters A to Z only: write \xC4 as AE, \xDF as SS, and "
           "numbers in words"}};
}

}  // namespace orbelin
