#include "numbers/bases.h"

#include "base/ascii.h"
#include "base/maths.h"

namespace orbelin {

bool IsBase(double x) {
  return x >= kSmallestBase && x <= kLargestBase && x == maths::trunc(x);
}

std::string ToBase(int64_t n, int base) {
  const bool negative = n < 0;
  uint64_t rest = negative ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
  std::string digits;
  do {
    const int d = static_cast<int>(rest % static_cast<uint64_t>(base));
    digits.insert(digits.begin(), static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10));
    rest /= static_cast<uint64_t>(base);
  } while (rest > 0);
  return negative ? "-" + digits : digits;
}

int CodeWidth(int base) {
  return static_cast<int>(ToBase(255, base).size());
}

int DigitOf(char c) {
  const int folded = FoldAscii(static_cast<int>(c));
  if (IsAsciiDigit(folded)) return folded - '0';
  if (IsAsciiUpper(folded)) return folded - 'A' + 10;
  return -1;
}

std::string DigitsOfBase(int base) {
  if (base <= 10) return "0 to " + std::to_string(base - 1);
  if (base == 11) return "0 to 9 and A";
  return "0 to 9 and A to " + std::string(1, static_cast<char>('A' + base - 11));
}

BaseReading ReadBase(std::string_view digits, int base) {
  BaseReading out;
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  const bool negative = !digits.empty() && digits.front() == '-';
  if (negative) digits.remove_prefix(1);
  bool any = false;
  for (char c : digits) {
    if (c == ' ') continue;
    const int d = DigitOf(c);
    if (d < 0 || d >= base) {
      out.error = "'" + std::string(1, c) + "' is no digit in base " + std::to_string(base) +
                  ": base " + std::to_string(base) + " has the digits " + DigitsOfBase(base);
      return out;
    }
    any = true;
    // value * base + d <= 2^53, checked without overflowing
    if (out.value > (kLargestExact - d) / base) {
      out.error =
          "the number is larger than 9007199254740992 (2^53), beyond which a number "
          "is not exact";
      return out;
    }
    out.value = out.value * base + d;
  }
  if (!any) {
    out.error = "the text holds no digits: write the number between the apostrophes, as in '" +
                ToBase(2024, base) + "'";
    return out;
  }
  if (negative) out.value = -out.value;
  return out;
}

}  // namespace orbelin
