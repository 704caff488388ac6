#include "text/letter_values.h"

#include <charconv>
#include <cstdio>

#include "base/ascii.h"
#include "base/int_conversion.h"
#include "base/maths.h"

namespace orbelin {

namespace {

// Sum of the decimal digit characters of a text; signs, blanks and points add 0.
double DigitCharSum(const char* text) {
  double sum = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (IsAsciiDigit(*p)) sum += *p - '0';
  }
  return sum;
}

constexpr size_t kDegreesMinutesBytes = 340;  // "%.0f" of the largest double has 309 digits

// The finite x as "%d %.4f" of the degrees rounded down and the minutes
// above them. "-2147483648 59.9999" is 19 characters, so it always fits the
// 20 bytes the sum is defined on; a floor beyond the int range is written
// with "%.0f".
void WriteDegreesMinutes(double x, char (&text)[kDegreesMinutesBytes]) {
  double d = maths::floor(x);
  double m = (x - d) * 60;
  if (FitsInt(d)) {
#ifndef __EMSCRIPTEN__
    // The digits "%d %.4f" gives (both round the exact value, ties to
    // even), without printf's cost: a value search may take this sum ten
    // million times. At most 11 + 1 + 7 characters: never cut. (The page's
    // C++ library has no to_chars for doubles.)
    char* end = std::to_chars(text, text + 12, static_cast<int>(d)).ptr;
    *end++ = ' ';
    end = std::to_chars(end, text + 19, m, std::chars_format::fixed, 4).ptr;
    *end = '\0';
#else
    std::snprintf(text, 20, "%d %.4f", static_cast<int>(d), m);
#endif
  } else {
    std::snprintf(text, sizeof text, "%.0f %.4f", d, m);
  }
}

}  // namespace

int LetterValue(char c) {
  const int code = FoldAscii(static_cast<signed char>(c));
  if (IsAsciiUpper(code)) return code - 64;
  if (IsAsciiDigit(code)) return code - '0';
  return 0;
}

double Qsum(double x) {
  if (!maths::isfinite(x)) return 0;
  double whole = maths::trunc(x);
  if (!FitsInt(whole)) {
    // The signed last digit, as the loop below gives it; + 0.0 avoids "-0".
    if (whole < 0) return maths::fmod(whole, 10.0) + 0.0;
    char text[320];  // the largest double has 309 digits
    std::snprintf(text, sizeof text, "%.0f", whole);
    return DigitCharSum(text);
  }
  // A negative n keeps its signed last digit only: the loop needs n >= 10.
  int n = static_cast<int>(whole);
  int s = n % 10;
  while (n >= 10) {
    n /= 10;
    s += n % 10;
  }
  return s;
}

double Qqsum(double x) {
  // A digit sum is at most a few thousand, so it always fits an int.
  int n = static_cast<int>(Qsum(x));
  while (n >= 10) n = static_cast<int>(Qsum(n));
  return n;
}

double Kqsum(double x) {
  if (!maths::isfinite(x)) return 0;
  char text[kDegreesMinutesBytes];
  WriteDegreesMinutes(x, text);
  return DigitCharSum(text);
}

std::string KqsumText(double x) {
  if (!maths::isfinite(x)) return "";
  char text[kDegreesMinutesBytes];
  WriteDegreesMinutes(x, text);
  return text;
}

double Alpha(std::string_view s) {
  double value = 0;
  for (char c : s) value = LetterValue(c) + 10 * value;
  return value;
}

double AlphabetSum(std::string_view alphabet, std::string_view s) {
  double sum = 0;
  for (char c : s) {
    c = FoldAscii(c);
    size_t place = alphabet.find(c);
    sum += place != std::string_view::npos ? static_cast<double>(place + 1) : LetterValue(c);
  }
  return sum;
}

}  // namespace orbelin
