#include "frontend/geo_point_text.h"

#include <charconv>
#include <vector>

#include "base/ascii.h"
#include "base/maths.h"
#include "frontend/point.h"

namespace orbelin {

namespace {

// Splits "48.2058 11.5083" or "-33.85, 151.2" into its numbers; false on
// anything else.
bool Numbers(std::string_view text, std::vector<double>* numbers) {
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == ',') {
      ++i;
    } else if (IsAsciiDigit(c) || c == '-' || c == '.') {
      size_t end = i + 1;
      while (end < text.size() && (IsAsciiDigit(text[end]) || text[end] == '.')) ++end;
      double number = 0;
      const std::from_chars_result r = std::from_chars(text.data() + i, text.data() + end, number);
      if (r.ec != std::errc() || r.ptr != text.data() + end || !maths::isfinite(number))
        return false;
      numbers->push_back(number);
      i = end;
    } else {
      return false;
    }
  }
  return true;
}

bool IsHemisphere(char c) {
  const char f = FoldAscii(c);
  return f == 'N' || f == 'S' || f == 'E' || f == 'W';
}

// "N 48 14.120 E 011 29.870" as "N 48° 14.120 E 011° 29.870": a degree sign
// after the first number of each half that lacks one. In a shell the sign
// is awkward to type, and here, unlike in a script, a letter and numbers
// can mean nothing but a coordinate.
std::string WithDegreeSigns(std::string_view text) {
  constexpr std::string_view kSign = "\xC2\xB0";
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const bool starts_half =
        IsHemisphere(text[i]) && (i == 0 || text[i - 1] == ' ' || text[i - 1] == ',');
    out += text[i++];
    if (!starts_half) continue;
    size_t j = i;
    while (j < text.size() && text[j] == ' ') ++j;
    size_t end = j;
    while (end < text.size() && (IsAsciiDigit(text[end]) || text[end] == '.')) ++end;
    if (end == j) continue;
    out.append(text, i, end - i);
    i = end;
    if (text.substr(i, kSign.size()) != kSign) out += kSign;
  }
  return out;
}

}  // namespace

GeoPointReading ReadGeoPoint(std::string_view text) {
  GeoPointReading r;
  const std::string form =
      "write it as N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500, or as 48.2058 11.5083";
  const std::string no_point = "'" + std::string(text) + "' is no point: ";
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    r.error = no_point + form + ".";
    return r;
  }
  // Letters first: the form of cache pages, read by the script's own rule
  // for a pasted coordinate, so that --near takes what a script takes.
  if (!IsAsciiDigit(text[first]) && text[first] != '-' && text[first] != '.') {
    PairReading pair = ReadCoordinatePair(WithDegreeSigns(text));
    if (!pair.point) {
      // The pair reader's own advice says how to write it.
      r.error = no_point + pair.why +
                (pair.why.find("as a cache page does") == std::string::npos ? "; " + form : "") +
                ".";
      return r;
    }
    r.point = pair.point;
    return r;
  }
  std::vector<double> numbers;
  if (!Numbers(text, &numbers) || numbers.size() != 2) {
    r.error = no_point + form + ".";
    return r;
  }
  std::string error;
  if (maths::fabs(numbers[0]) > 90.0) {
    error =
        "the latitude is beyond \xC2\xB1"
        "90\xC2\xB0";
  } else if (maths::fabs(numbers[1]) > 180.0) {
    error =
        "the longitude is beyond \xC2\xB1"
        "180\xC2\xB0";
  }
  if (!error.empty()) {
    r.error = no_point + error + "; " + form + ".";
    return r;
  }
  r.point = GeoPoint{numbers[0], numbers[1]};
  return r;
}

}  // namespace orbelin
