#include "base/result_stream.h"

#include "base/int_conversion.h"
#include "base/maths.h"

namespace orbelin {

namespace {
// Digits after the point that show any double exactly (2^-1074 has 1074).
constexpr int kMaxPrecision = 1074;
}  // namespace

void ResultStream::WriteNumber(double value, double precision) {
  // A precision below zero is what C's "%.*f" takes as "not given" (six
  // digits); NaN has no floor and counts as 0.
  int p = maths::isnan(precision) ? 0 : FloorToInt(precision);
  if (p > kMaxPrecision) p = kMaxPrecision;
  Printf("%.*f", p, value);
}

void ResultStream::WriteChar(double code) {
  text_.push_back(static_cast<char>(LowByte(code)));
}

// Breaks at the last blank at an index from 1 to the margin; the blank itself
// is dropped. Text without such a blank is written whole, and the last part
// gets no line end: the output statement ends the line.
void ResultStream::WriteString(std::string_view text) {
  std::string_view s = text;
  long n = static_cast<long>(s.size());
  while (n > margin_) {
    n = margin_;
    while (n > 0 && s[n] != ' ') --n;
    if (n > 0) {
      Write(s.substr(0, n));
      Write("\n");
      s.remove_prefix(n + 1);
      n = static_cast<long>(s.size());
    }
    if (n == 0) break;
  }
  Write(s);
}

}  // namespace orbelin
