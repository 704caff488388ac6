#include "interp/pasted_coordinate.h"

#include <charconv>

#include "base/ascii.h"

namespace orbelin {

namespace {

constexpr char kDegreeSign = '\xB0';
constexpr char kNoBreakSpace = '\xA0';
// As many bytes of a number as a number literal keeps.
constexpr size_t kNumberBytes = 19;

struct Reader {
  std::string_view text;
  size_t p;

  char At(size_t i) const { return i < text.size() ? text[i] : '\0'; }
  char Byte() const { return At(p); }
  // A blank, or the no-break space that web pages put between the parts of
  // a coordinate (copied with it, it looks like a blank).
  void SkipBlanks() {
    while (Byte() == ' ' || Byte() == kNoBreakSpace) ++p;
  }
  // Digits, optionally a point and more digits; false (p unchanged) when
  // no digit stands here or the point has no digit after it.
  bool Number(double* value, bool* fraction) {
    size_t q = p;
    while (IsAsciiDigit(At(q))) ++q;
    if (q == p) return false;
    *fraction = false;
    if (At(q) == '.') {
      if (!IsAsciiDigit(At(q + 1))) return false;
      ++q;
      while (IsAsciiDigit(At(q))) ++q;
      *fraction = true;
    }
    const size_t n = q - p < kNumberBytes ? q - p : kNumberBytes;
    *value = 0.0;
    std::from_chars(text.data() + p, text.data() + p + n, *value);
    p = q;
    return true;
  }
};

}  // namespace

PastedCoordinate ReadPastedCoordinate(std::string_view text, size_t position) {
  PastedCoordinate c;
  if (position >= text.size()) return c;
  const char letter = FoldAscii(text[position]);
  if (letter != 'N' && letter != 'S' && letter != 'E' && letter != 'W') return c;
  Reader r{text, position + 1};
  r.SkipBlanks();
  double degrees = 0.0;
  bool degree_fraction = false;
  if (!r.Number(&degrees, &degree_fraction) || r.Byte() != kDegreeSign) return c;
  ++r.p;
  const size_t after_sign = r.p;

  // From here on the text is meant as a coordinate.
  c.hemisphere = letter;
  const double sign = letter == 'N' || letter == 'E' ? 1.0 : -1.0;
  auto fault = [&](const char* why) {
    c.kind = PastedCoordinate::Kind::kMalformed;
    c.length = r.p - position;
    c.fault = why;
    return c;
  };
  r.SkipBlanks();
  if (r.Byte() == kDegreeSign) {
    ++r.p;
    return fault("a coordinate has one degree sign, after the degrees");
  }
  double minutes = 0.0;
  bool minute_fraction = false;
  if (!r.Number(&minutes, &minute_fraction)) {
    // Decimal degrees; blanks after the sign belong to what follows.
    c.kind = PastedCoordinate::Kind::kValue;
    c.length = after_sign - position;
    c.value = degrees * sign;
    return c;
  }
  if (degree_fraction) {
    return fault("degrees with decimals take no minutes; write N 48.20575\xB0 or N 48\xB0 12.345");
  }
  if (minutes >= 60) return fault("its minutes must be below 60");
  if (r.Byte() == kDegreeSign) {
    ++r.p;
    return fault("a coordinate has one degree sign, after the degrees");
  }
  c.kind = PastedCoordinate::Kind::kValue;
  c.length = r.p - position;
  c.value = (degrees + minutes / 60) * sign;
  if (r.Byte() != '\'') return c;

  ++r.p;
  c.length = r.p - position;  // the minute mark alone, after decimal minutes
  const size_t after_mark = r.p;
  r.SkipBlanks();
  double seconds = 0.0;
  bool second_fraction = false;
  if (!r.Number(&seconds, &second_fraction)) {
    r.p = after_mark;
    return c;
  }
  if (minute_fraction) {
    return fault(
        "minutes with decimals take no seconds; write N 48\xB0 12' 20.7\" or N 48\xB0 12.345");
  }
  if (seconds >= 60) return fault("its seconds must be below 60");
  if (r.Byte() == '"') ++r.p;
  c.length = r.p - position;
  c.value = (degrees + (minutes + seconds / 60) / 60) * sign;
  return c;
}

}  // namespace orbelin
