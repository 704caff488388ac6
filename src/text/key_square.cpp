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

}  // namespace orbelin
