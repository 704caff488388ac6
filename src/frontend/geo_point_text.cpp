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
    // Without a degree sign the text is names and numbers to the scanner;
    // what it lacks is the sign.
    if (text.find("\xC2\xB0") == std::string_view::npos) {
      r.error = no_point + "each half needs the degree sign after its degrees; " + form + ".";
      return r;
    }
    PairReading pair = ReadCoordinatePair(text);
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
