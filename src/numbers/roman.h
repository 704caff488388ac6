// Roman numerals in their standard form: I V X L C D M, written from the
// largest value down, with the six subtractive pairs IV IX XL XC CD CM, no
// digit more than three times in a row and V, L, D at most once. So every
// number from 1 to 3999 has exactly one numeral, and every numeral one
// number. (Larger numbers were written with a bar over the thousands, which
// plain text cannot show.)
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

inline constexpr int kLargestRoman = 3999;  // MMMCMXCIX

// The numeral of n, 1 <= n <= 3999, in capitals.
std::string ToRoman(int n);

// A numeral read back: its value, or -1 and what is wrong with the text,
// with the standard form of what it seems to mean where there is one.
// Small letters are read as capitals; blanks around the numeral are
// allowed.
struct RomanReading {
  int value = -1;
  std::string error;
};
RomanReading ReadRoman(std::string_view text);

}  // namespace orbelin
