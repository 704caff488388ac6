#include "frontend/geo_point_text.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "base/ascii.h"

namespace orbelin {

namespace {

struct Part {
  char hemisphere = 0;  // 'N', 'S', 'E', 'W', or 0 for a number
  std::string_view text;
  double number = 0.0;
};

// Splits the text into hemisphere letters and numbers; degree and minute
// signs, commas and blanks only separate. False on anything else.
bool Split(std::string_view text, std::vector<Part>* parts) {
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == ' ' || c == '\t' || c == ',' || c == '\'') {
      ++i;
    } else if (c == 0xC2 && i + 1 < text.size() &&
               (text[i + 1] == '\xB0' || text[i + 1] == '\xBA')) {  // ° and º
      i += 2;
    } else if (text.substr(i, 3) == "\xE2\x80\xB2") {  // ′
      i += 3;
    } else if (const char h = FoldAscii(static_cast<char>(c));
               h == 'N' || h == 'S' || h == 'E' || h == 'W') {
      parts->push_back({h, text.substr(i, 1)});
      ++i;
    } else if (IsAsciiDigit(c) || c == '-' || c == '.') {
      size_t end = i + 1;
      while (end < text.size() && (IsAsciiDigit(text[end]) || text[end] == '.')) ++end;
      Part p;
      p.text = text.substr(i, end - i);
      const char* first = text.data() + i;
      const std::from_chars_result r = std::from_chars(first, text.data() + end, p.number);
      if (r.ec != std::errc() || r.ptr != text.data() + end || !std::isfinite(p.number)) {
        return false;
      }
      parts->push_back(p);
      i = end;
    } else {
      return false;
    }
  }
  return true;
}

// One half of the hemisphere form: a letter, whole degrees and minutes, or
// decimal degrees alone. *error says what is wrong.
bool Half(const std::vector<Part>& parts, size_t* at, bool latitude, double* value,
          std::string* error) {
  const char* what = latitude ? "latitude" : "longitude";
  const char positive = latitude ? 'N' : 'E';
  const char negative = latitude ? 'S' : 'W';
  const double limit = latitude ? 90.0 : 180.0;
  if (*at >= parts.size() ||
      (parts[*at].hemisphere != positive && parts[*at].hemisphere != negative)) {
    *error = std::string("the ") + what + " must start with " + positive + " or " + negative;
    return false;
  }
  const char hemisphere = parts[(*at)++].hemisphere;
  if (*at >= parts.size() || parts[*at].hemisphere != 0) {
    *error = std::string("the ") + what + " has no degrees";
    return false;
  }
  const Part& degrees = parts[(*at)++];
  if (degrees.number < 0) {
    *error = std::string("the ") + what + " takes its sign from its letter, not a minus";
    return false;
  }
  double v = degrees.number;
  if (*at < parts.size() && parts[*at].hemisphere == 0) {
    const Part& minutes = parts[(*at)++];
    if (degrees.number != std::floor(degrees.number)) {
      *error = std::string("the degrees of the ") + what + " must be whole when minutes follow";
      return false;
    }
    if (minutes.number < 0 || minutes.number >= 60) {
      *error = std::string("the minutes of the ") + what + " must be at least 0 and below 60";
      return false;
    }
    v += minutes.number / 60.0;
  }
  if (v > limit) {
    *error = std::string("the ") + what + " is beyond " + (latitude ? "90" : "180") + "\xC2\xB0";
    return false;
  }
  *value = hemisphere == negative ? -v : v;
  return true;
}

}  // namespace

GeoPointReading ReadGeoPoint(std::string_view text) {
  GeoPointReading r;
  const std::string form =
      "write it as N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500, or as 48.2058 11.5083";
  std::vector<Part> parts;
  if (!Split(text, &parts) || parts.empty()) {
    r.error = "'" + std::string(text) + "' is no point: " + form + ".";
    return r;
  }
  GeoPoint p;
  std::string error;
  if (parts[0].hemisphere == 0) {
    if (parts.size() != 2 || parts[1].hemisphere != 0) {
      r.error = "'" + std::string(text) + "' is no point: " + form + ".";
      return r;
    }
    p.lat = parts[0].number;
    p.lon = parts[1].number;
    if (std::fabs(p.lat) > 90.0)
      error =
          "the latitude is beyond \xC2\xB1"
          "90\xC2\xB0";
    if (std::fabs(p.lon) > 180.0)
      error =
          "the longitude is beyond \xC2\xB1"
          "180\xC2\xB0";
  } else {
    size_t at = 0;
    if (Half(parts, &at, true, &p.lat, &error) && Half(parts, &at, false, &p.lon, &error) &&
        at != parts.size()) {
      error = "there is more after the longitude";
    }
  }
  if (!error.empty()) {
    r.error = "'" + std::string(text) + "' is no point: " + error + "; " + form + ".";
    return r;
  }
  r.point = p;
  return r;
}

}  // namespace orbelin
