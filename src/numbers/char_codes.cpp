#include "numbers/char_codes.h"

#include "numbers/bases.h"

namespace orbelin {

std::string TextToCodes(std::string_view text, int base) {
  const size_t width = base == 10 ? 0 : static_cast<size_t>(CodeWidth(base));
  std::string out;
  for (char c : text) {
    std::string digits = ToBase(static_cast<unsigned char>(c), base);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    if (!out.empty()) out += ' ';
    out += digits;
  }
  return out;
}

namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == ',' || c == ';';
}

}  // namespace

CodesReading CodesToText(std::string_view codes, int base) {
  CodesReading out;
  const size_t width = static_cast<size_t>(CodeWidth(base));
  size_t i = 0;
  while (i < codes.size()) {
    if (IsSeparator(codes[i])) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < codes.size() && !IsSeparator(codes[end])) ++end;
    std::string_view group = codes.substr(i, end - i);
    i = end;
    // A long run of fixed-width codes, as binary is often printed.
    const size_t step =
        base != 10 && group.size() > width && group.size() % width == 0 ? width : group.size();
    for (size_t at = 0; at < group.size(); at += step) {
      std::string_view code = group.substr(at, step);
      for (char c : code) {
        const int d = DigitOf(c);
        if (d < 0 || d >= base) {
          out.error = "'" + std::string(1, c) + "' is no digit in base " + std::to_string(base) +
                      ": base " + std::to_string(base) + " has the digits " + DigitsOfBase(base) +
                      ", and codes stand apart by blanks or commas";
          out.text.clear();
          return out;
        }
      }
      const BaseReading r = ReadBase(code, base);
      if (!r.error.empty() || r.value < 1 || r.value > 255) {
        out.error = std::string(code) + " is no character code: the codes are 1 to 255 (" +
                    ToBase(255, base) + " in base " + std::to_string(base) + ")";
        out.text.clear();
        return out;
      }
      out.text += static_cast<char>(r.value);
    }
  }
  return out;
}

}  // namespace orbelin
