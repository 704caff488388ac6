#include "geocodes/geohash.h"

#include "base/maths.h"

namespace orbelin {

namespace {

constexpr std::string_view kDigits = "0123456789bcdefghjkmnpqrstuvwxyz";

// One step of the bisection: the bit of `x` in [lo, hi), and the half it
// lies in.
int Halve(double x, double* lo, double* hi) {
  const double mid = (*lo + *hi) / 2;
  if (x >= mid) {
    *lo = mid;
    return 1;
  }
  *hi = mid;
  return 0;
}

}  // namespace

std::string Geohash(double lat, double lon, int length) {
  double l = maths::remainder(lon, 360.0);
  if (l == 180) l = -180;
  double lon_lo = -180, lon_hi = 180, lat_lo = -90, lat_hi = 90;
  std::string text;
  bool even = true;  // longitude first
  for (int c = 0; c < length; ++c) {
    int digit = 0;
    for (int b = 0; b < 5; ++b) {
      digit = digit * 2 + (even ? Halve(l, &lon_lo, &lon_hi) : Halve(lat, &lat_lo, &lat_hi));
      even = !even;
    }
    text += kDigits[static_cast<size_t>(digit)];
  }
  return text;
}

CodeReading ReadGeohash(std::string_view text) {
  CodeReading r;
  if (text.empty() || text.size() > kGeohashMaxLength) {
    r.why = "it has " + std::to_string(text.size()) +
            " characters: a geohash has 1 to 12, as u4pruydqqvj";
    return r;
  }
  double lon_lo = -180, lon_hi = 180, lat_lo = -90, lat_hi = 90;
  bool even = true;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const size_t digit = kDigits.find(c);
    if (digit == std::string_view::npos) {
      r.why = std::string("'") + text[i] + "' at place " + std::to_string(i + 1) +
              " is no geohash digit: they are 0 to 9 and the letters but a, i, l and o";
      return r;
    }
    for (int b = 4; b >= 0; --b) {
      const bool one = (digit >> b) & 1;
      double& lo = even ? lon_lo : lat_lo;
      double& hi = even ? lon_hi : lat_hi;
      const double mid = (lo + hi) / 2;
      (one ? lo : hi) = mid;
      even = !even;
    }
  }
  r.ok = true;
  r.area = {lat_lo, lon_lo, lat_hi, lon_hi};
  return r;
}

}  // namespace orbelin
