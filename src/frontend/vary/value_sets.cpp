#include "frontend/vary/value_sets.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/ascii.h"
#include "base/maths.h"
#include "interp/scanner.h"

namespace orbelin {

namespace {

// A decimal number held exactly: units / 10^decimals.
struct Decimal {
  int64_t units = 0;
  int decimals = 0;
};

constexpr int kMaxDigits = 15;  // every such integer is exact in a double
constexpr int64_t kPow10[] = {1,
                              10,
                              100,
                              1000,
                              10000,
                              100000,
                              1000000,
                              10000000,
                              100000000,
                              1000000000,
                              10000000000,
                              100000000000,
                              1000000000000,
                              10000000000000,
                              100000000000000,
                              1000000000000000};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string Quoted(std::string_view s) {
  return "'" + std::string(s) + "'";
}

// "[-]digits[.digits]", at most 15 digits in all.
std::optional<Decimal> ReadDecimal(std::string_view text, std::string* error) {
  std::string_view s = Trim(text);
  const bool negative = !s.empty() && s.front() == '-';
  if (negative) s.remove_prefix(1);
  Decimal d;
  int digits = 0;
  bool point = false;
  bool any = false;
  for (char c : s) {
    if (c == '.' && !point) {
      point = true;
    } else if (IsAsciiDigit(c)) {
      any = true;
      if (digits > 0 || c != '0') ++digits;
      if (point) ++d.decimals;
      if (digits > kMaxDigits || d.decimals > kMaxDigits) {
        *error = Quoted(Trim(text)) + " has more digits than can be tried exactly (" +
                 std::to_string(kMaxDigits) + " at most).";
        return std::nullopt;
      }
      d.units = d.units * 10 + (c - '0');
    } else {
      any = false;
      break;
    }
  }
  if (!any) {
    // "1e5" reads as a number elsewhere; here each value must be exact, so
    // it is written out.
    const std::string_view t = Trim(text);
    const size_t e = t.find_first_of("eE");
    const bool exponent = e != std::string_view::npos && e > 0 && IsAsciiDigit(t[e - 1]);
    *error = t.empty() ? std::string("a number is missing.")
             : exponent
                 ? Quoted(t) + " has an exponent: write the number out, as in 100000 or 0.001."
                 : Quoted(t) + " is not a number.";
    return std::nullopt;
  }
  if (negative) d.units = -d.units;
  return d;
}

// Brings `d` to `decimals` places; false when that needs too many digits.
bool Scale(Decimal* d, int decimals) {
  const int64_t factor = kPow10[decimals - d->decimals];
  const int64_t limit = kPow10[kMaxDigits];
  if (d->units > limit / factor || d->units < -limit / factor) return false;
  d->units *= factor;
  d->decimals = decimals;
  return true;
}

}  // namespace

std::string TooManyDots(std::string_view item) {
  const size_t dots = item.find("..");
  if (dots == std::string_view::npos || item.substr(dots + 2, 1) != ".") return "";
  size_t after = item.find_first_not_of('.', dots);
  if (after == std::string_view::npos) after = item.size();
  std::string said = Quoted(Trim(item));
  said += " has " + std::to_string(after - dots) + " dots: a range is written with two, as in ";
  said += Trim(item.substr(0, dots));
  said += "..";
  said += Trim(item.substr(after));
  said += ".";
  return said;
}

namespace {

// One item of a list: a number, or a range with an optional step. Appends
// its values; the count is checked before anything is made.
bool ReadItem(std::string_view item, std::vector<double>* out, std::string* error) {
  const size_t dots = item.find("..");
  if (dots == std::string_view::npos) {
    const std::optional<Decimal> d = ReadDecimal(item, error);
    if (!d) return false;
    out->push_back(static_cast<double>(d->units) / static_cast<double>(kPow10[d->decimals]));
    return true;
  }
  if (std::string dotted = TooManyDots(item); !dotted.empty()) {
    *error = std::move(dotted);
    return false;
  }
  std::string_view rest = item.substr(dots + 2);
  std::string_view step_text = "1";
  if (const size_t slash = rest.find('/'); slash != std::string_view::npos) {
    step_text = rest.substr(slash + 1);
    rest = rest.substr(0, slash);
  }
  std::optional<Decimal> from = ReadDecimal(item.substr(0, dots), error);
  if (!from) return false;
  std::optional<Decimal> to = ReadDecimal(rest, error);
  if (!to) return false;
  std::optional<Decimal> step = ReadDecimal(step_text, error);
  if (!step) return false;
  const std::string shown = Quoted(Trim(item));
  if (step->units <= 0) {
    *error = "the step of " + shown + " must be more than 0.";
    return false;
  }
  // One scale for the three, so the values are whole multiples of the step.
  const int decimals = std::max({from->decimals, to->decimals, step->decimals});
  if (!Scale(&*from, decimals) || !Scale(&*to, decimals) || !Scale(&*step, decimals)) {
    *error = shown + " has more digits than can be tried exactly.";
    return false;
  }
  if (to->units < from->units) {
    *error = "the range " + shown + " is empty: it counts up from the first number to the second.";
    return false;
  }
  const uint64_t count =
      static_cast<uint64_t>(to->units - from->units) / static_cast<uint64_t>(step->units) + 1;
  if (count > kMaxCombinations || out->size() + count > kMaxCombinations) {
    *error = shown + " has " + std::to_string(count) + " values; at most " +
             std::to_string(kMaxCombinations) + " can be tried.";
    return false;
  }
  const double scale = static_cast<double>(kPow10[decimals]);
  for (uint64_t i = 0; i < count; ++i) {
    const int64_t units = from->units + static_cast<int64_t>(i) * step->units;
    out->push_back(static_cast<double>(units) / scale);
  }
  return true;
}

}  // namespace

std::optional<std::vector<double>> ReadValues(std::string_view text, std::string* error) {
  std::vector<double> all;
  if (Trim(text).empty()) {
    *error = "no values are given: write a range, a list or both, as in 0..9 or 1,3,5.";
    return std::nullopt;
  }
  size_t start = 0;
  int items = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    if (!ReadItem(text.substr(start, comma - start), &all, error)) return std::nullopt;
    ++items;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  // Each value once: a value that two items share is tried once, where it
  // first came. A single range has no value twice.
  if (items > 1) {
    std::vector<size_t> order(all.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&all](size_t a, size_t b) { return all[a] < all[b]; });
    std::vector<bool> repeated(all.size(), false);
    for (size_t i = 1; i < order.size(); ++i) {
      if (all[order[i]] == all[order[i - 1]]) repeated[order[i]] = true;
    }
    std::vector<double> once;
    for (size_t i = 0; i < all.size(); ++i) {
      if (!repeated[i]) once.push_back(all[i]);
    }
    all = std::move(once);
  }
  return all;
}

std::string VariableName(std::string_view written) {
  std::string name;
  for (char c : Trim(written).substr(0, Scanner::kNameBytes)) name += FoldAscii(c);
  return name;
}

std::optional<NameAndValues> SplitNameAndValues(std::string_view text) {
  const size_t equals = text.find('=');
  const std::string_view name = Trim(text.substr(0, equals));
  if (equals == std::string_view::npos || name.empty()) return std::nullopt;
  return NameAndValues{std::string(name), VariableName(name), text.substr(equals + 1)};
}

ValueSetReading ReadValueSet(std::string_view text) {
  ValueSetReading r;
  const std::optional<NameAndValues> parts = SplitNameAndValues(text);
  if (!parts) {
    r.error =
        "Values are given as NAME=VALUES, as in A=0..9 or B=1,3,5; " + Quoted(text) + " is not.";
    return r;
  }
  std::string error;
  std::optional<std::vector<double>> values = ReadValues(parts->values, &error);
  if (!values) {
    r.error = "In " + Quoted(text) + ": " + error;
    return r;
  }
  ValueSet set;
  set.written = parts->written;
  set.name = parts->name;
  set.values = std::move(*values);
  r.set = std::move(set);
  return r;
}

uint64_t CombinationCount(const std::vector<ValueSet>& sets) {
  uint64_t product = 1;
  for (const ValueSet& s : sets) {
    const uint64_t n = s.values.size();
    if (n == 0) return 0;
    if (product > kMaxCombinations / n) return kMaxCombinations + 1;
    product *= n;
  }
  return product;
}

std::string CountText(uint64_t n) {
  const std::string digits = std::to_string(n);
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

std::string ValueText(double value) {
  // The fewest significant digits that read back as the same double (the
  // page's C++ library has no to_chars for doubles), written out where %g
  // allows: 90 is "90", not the "9e+01" that one digit would give.
  char text[40];
  std::string shortest;
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtod(text, nullptr) != value) continue;
    if (std::strchr(text, 'e') == nullptr) return text;
    if (shortest.empty()) shortest = text;
  }
  if (shortest.empty()) return text;  // nan, inf
  // As people write numbers: the fewest decimals that read back, as long
  // as that stays a number one could type (1e+20 and 1e-05 are written
  // out; 1e+300 keeps its exponent).
  constexpr size_t kLongestPlain = 24;
  char plain[kLongestPlain + 2];
  for (int decimals = 0; decimals < static_cast<int>(kLongestPlain); ++decimals) {
    const int n = std::snprintf(plain, sizeof plain, "%.*f", decimals, value);
    if (n < 0 || static_cast<size_t>(n) > kLongestPlain) break;
    if (std::strtod(plain, nullptr) == value) return plain;
  }
  return shortest;
}

std::string CombinationText(const std::vector<ValueSet>& sets, const std::vector<double>& values) {
  std::string text;
  for (size_t i = 0; i < sets.size() && i < values.size(); ++i) {
    if (i > 0) text += ' ';
    text += sets[i].name + "=" + ValueText(values[i]);
  }
  return text;
}

}  // namespace orbelin
