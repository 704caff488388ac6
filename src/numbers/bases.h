// Whole numbers written in the bases 2 to 36: the digits 0 to 9, then A
// to Z for 10 to 35. A double holds every whole number exactly up to 2^53,
// so that is as far as the digits go both ways.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orbelin {

inline constexpr int kSmallestBase = 2;
inline constexpr int kLargestBase = 36;
inline constexpr int64_t kLargestExact = int64_t{1} << 53;  // 9007199254740992

// Whether x is a whole number from 2 to 36.
bool IsBase(double x);

// The digits of n in the base, in capitals, a minus sign first when n is
// negative.
std::string ToBase(int64_t n, int base);

// How many digits the largest code, 255, needs in the base (8 in base 2, 2
// in base 16).
int CodeWidth(int base);

// The value of one digit character in any base (0-9, A-Z, a-z), or -1.
int DigitOf(char c);

// "0 to 6", "0 to 9 and A to F": the digits of a base, for a hint.
std::string DigitsOfBase(int base);

// Digits read back: a minus sign may come first, blanks may group the
// digits ('1010 0110'), and small letters count as capitals. Either the
// value or what is wrong.
struct BaseReading {
  int64_t value = 0;
  std::string error;  // "" when the digits were read
};
BaseReading ReadBase(std::string_view digits, int base);

}  // namespace orbelin
