// The 5 x 5 square of letters that the Polybius and Playfair ciphers use:
// I and J share a cell, so the 25 cells hold A to Z without J. A key word
// fills the square first, each letter once, then the rest of the alphabet
// follows in order.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbelin {

struct KeySquare {
  char cells[25];  // row by row, capitals

  // The cell of a letter (either case, J as I): row * 5 + column, from 0;
  // -1 for anything that is no ASCII letter.
  int CellOf(char c) const;
};

// The square of a key of letters and blanks (either case), or what is wrong
// with the key: its first character that is neither.
struct KeySquareResult {
  std::optional<KeySquare> square;
  std::string error;
};
KeySquareResult MakeKeySquare(std::string_view key);

}  // namespace orbelin
