#include "text/playfair.h"

#include <vector>

#include "base/ascii.h"

namespace orbelin {

namespace {

// The pair of cells (a, b) moved one step: +1 right and down to encipher,
// -1 (as +4) left and up to decipher.
void MovePair(const KeySquare& square, int a, int b, int step, std::string* out) {
  const int ra = a / 5, ca = a % 5, rb = b / 5, cb = b % 5;
  int na, nb;
  if (ra == rb) {
    na = ra * 5 + (ca + step) % 5;
    nb = rb * 5 + (cb + step) % 5;
  } else if (ca == cb) {
    na = ((ra + step) % 5) * 5 + ca;
    nb = ((rb + step) % 5) * 5 + cb;
  } else {
    na = ra * 5 + cb;
    nb = rb * 5 + ca;
  }
  *out += square.cells[na];
  *out += square.cells[nb];
}

}  // namespace

std::string PlayfairEncipher(const KeySquare& square, std::string_view text) {
  std::vector<int> cells;
  for (char c : text) {
    const int cell = square.CellOf(c);
    if (cell >= 0) cells.push_back(cell);
  }
  const int x = square.CellOf('X'), q = square.CellOf('Q');
  std::string out;
  for (size_t i = 0; i < cells.size();) {
    const int a = cells[i];
    int b;
    if (i + 1 < cells.size() && cells[i + 1] != a) {
      b = cells[i + 1];
      i += 2;
    } else {
      b = a == x ? q : x;  // a doubled letter, or the last one alone
      i += 1;
    }
    if (!out.empty()) out += ' ';
    MovePair(square, a, b, 1, &out);
  }
  return out;
}

PlayfairReading PlayfairDecipher(const KeySquare& square, std::string_view text) {
  PlayfairReading out;
  std::vector<int> cells;
  for (char c : text) {
    if (c == ' ') continue;
    const int cell = square.CellOf(c);
    if (cell < 0) {
      out.error = "'" + std::string(1, c) +
                  "' is no letter: a Playfair text is letters, in pairs or run together";
      return out;
    }
    cells.push_back(cell);
  }
  if (cells.size() % 2 != 0) {
    out.error = "the text has " + std::to_string(cells.size()) +
                " letters: Playfair writes its letters in pairs, so a letter is missing or "
                "one too many";
    return out;
  }
  for (size_t i = 0; i < cells.size(); i += 2) {
    if (cells[i] == cells[i + 1]) {
      const char letter = square.cells[cells[i]];
      out.text.clear();
      out.error = "the pair " + std::string(2, letter) +
                  " cannot come out of Playfair, which never writes a letter twice in a pair: "
                  "check the text, and that its pairs start with its first letter";
      return out;
    }
    MovePair(square, cells[i], cells[i + 1], 4, &out.text);
  }
  return out;
}

}  // namespace orbelin
