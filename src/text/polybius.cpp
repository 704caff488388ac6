#include "text/polybius.h"

#include "base/ascii.h"

namespace orbelin {

std::string PolybiusEncode(const KeySquare& square, std::string_view text) {
  std::string out;
  bool gap = false;  // a blank since the last letter written
  for (char c : text) {
    const int cell = square.CellOf(c);
    if (cell < 0) {
      gap = gap || c == ' ';
      continue;
    }
    if (!out.empty()) out += gap ? " / " : " ";
    gap = false;
    out += static_cast<char>('1' + cell / 5);
    out += static_cast<char>('1' + cell % 5);
  }
  return out;
}

PolybiusReading PolybiusDecode(const KeySquare& square, std::string_view code) {
  PolybiusReading out;
  auto refuse = [&](std::string why) {
    out.text.clear();
    out.error = std::move(why);
    return out;
  };
  size_t i = 0;
  while (i < code.size()) {
    const char c = code[i];
    if (c == ' ' || c == ',') {
      ++i;
    } else if (c == '/' || c == '|') {
      out.text += ' ';
      ++i;
    } else if (IsAsciiDigit(c)) {
      const size_t start = i;
      while (i < code.size() && IsAsciiDigit(code[i])) ++i;
      const std::string_view run = code.substr(start, i - start);
      for (char d : run) {
        if (d < '1' || d > '5') {
          return refuse("'" + std::string(1, d) +
                        "' is no row or column: the square has the rows and columns 1 to 5");
        }
      }
      if (run.size() % 2 != 0) {
        return refuse(std::string(run) +
                      " has an odd number of digits: each letter is two digits, its row and "
                      "then its column");
      }
      for (size_t k = 0; k < run.size(); k += 2) {
        out.text += square.cells[(run[k] - '1') * 5 + (run[k + 1] - '1')];
      }
    } else {
      return refuse("'" + std::string(1, c) +
                    "' is no digit: write each letter as two digits 1 to 5, row then column, "
                    "apart by blanks, and a word gap as /");
    }
  }
  return out;
}

}  // namespace orbelin
