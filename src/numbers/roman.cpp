#include "numbers/roman.h"

#include "base/ascii.h"

namespace orbelin {

namespace {

constexpr struct {
  int value;
  const char* numeral;
} kSteps[] = {
    {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
    {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"},
};

int DigitValue(char c) {
  switch (c) {
    case 'I':
      return 1;
    case 'V':
      return 5;
    case 'X':
      return 10;
    case 'L':
      return 50;
    case 'C':
      return 100;
    case 'D':
      return 500;
    case 'M':
      return 1000;
    default:
      return 0;
  }
}

// What the digits add up to when each one before a larger digit counts
// negative: what a numeral that is not in standard form seems to mean.
long long LooseValue(std::string_view numeral) {
  long long sum = 0;
  for (size_t i = 0; i < numeral.size(); ++i) {
    const int v = DigitValue(numeral[i]);
    const bool before_larger = i + 1 < numeral.size() && DigitValue(numeral[i + 1]) > v;
    sum += before_larger ? -v : v;
  }
  return sum;
}

// Why a numeral of Roman digits is not in standard form.
std::string Fault(std::string_view n) {
  for (size_t i = 0; i + 3 < n.size(); ++i) {
    if (n[i] == n[i + 1] && n[i] == n[i + 2] && n[i] == n[i + 3]) {
      if (n[i] == 'M') return "the numerals end at MMMCMXCIX, 3999";
      return std::string(1, n[i]) + " stands at most three times in a row";
    }
  }
  for (char once : {'V', 'L', 'D'}) {
    if (n.find(once) != n.rfind(once)) return std::string(1, once) + " stands only once";
  }
  for (size_t i = 0; i + 1 < n.size(); ++i) {
    const int a = DigitValue(n[i]), b = DigitValue(n[i + 1]);
    if (a < b && (a == 5 || a == 50 || a == 500)) return "V, L and D are never taken away";
    if (a < b && b != 5 * a && b != 10 * a) {
      return "only I goes before V and X, X before L and C, C before D and M";
    }
  }
  return "the digits do not stand in the Roman order, from the largest value down";
}

}  // namespace

std::string ToRoman(int n) {
  std::string out;
  for (const auto& step : kSteps) {
    for (; n >= step.value; n -= step.value) out += step.numeral;
  }
  return out;
}

RomanReading ReadRoman(std::string_view text) {
  RomanReading out;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) {
    out.error = "the text holds no numeral: write one such as 'XIV'";
    return out;
  }
  std::string numeral;
  for (char c : text) {
    const char capital = FoldAscii(c);
    if (DigitValue(capital) == 0) {
      out.error =
          "'" + std::string(1, c) + "' is no Roman digit: the digits are I, V, X, L, C, D and M";
      return out;
    }
    numeral += capital;
  }
  const long long loose = LooseValue(numeral);
  if (loose >= 1 && loose <= kLargestRoman && ToRoman(static_cast<int>(loose)) == numeral) {
    out.value = static_cast<int>(loose);
    return out;
  }
  std::string fault = Fault(numeral);
  out.error = numeral + " is not a Roman numeral: " + fault;
  // The meaning is clear where only the form is wrong (IIII, VV, IC).
  const bool order = fault.starts_with("the digits do not");
  if (!order && loose >= 1 && loose <= kLargestRoman) {
    out.error += "; " + std::to_string(loose) + " is " + ToRoman(static_cast<int>(loose));
  }
  return out;
}

}  // namespace orbelin
