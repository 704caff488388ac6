#include "geodesy/british_grid.h"

#include <cstdio>
#include <vector>

#include "base/maths.h"
#include "geodesy/helmert.h"

namespace orbelin {

namespace {

constexpr double kAiryA = 6377563.396, kAiryB = 6356256.909;
constexpr Ellipsoid kAiry = DeriveEllipsoid(kAiryA, (kAiryA - kAiryB) / kAiryA);
// EPSG 1314 as PROJ 9.1 carries it, position vector, OSGB36 to WGS 84.
constexpr Helmert kOsgb36 = {446.448, -125.157, 542.060, 0.150, 0.247, 0.842, -20.489};
constexpr TransverseMercator kNationalGrid = {
    kAiryA, (kAiryA - kAiryB) / kAiryA, 0.9996012717, -2, 49, 400000, -100000};

// The 25 letters of a 5 by 5 block, from the north-west, without I.
constexpr std::string_view kLetters = "ABCDEFGHJKLMNOPQRSTUVWXYZ";
constexpr double kTile = 100000;

}  // namespace

PlanePoint Wgs84ToOsgb(double lat, double lon) {
  const GeoPoint g = Wgs84ToDatum(kOsgb36, kAiry, lat, lon);
  return TmForward(kNationalGrid, g.lat, g.lon);
}

GeoPoint OsgbToWgs84(double east, double north) {
  const GeoPoint g = TmInverse(kNationalGrid, east, north);
  return DatumToWgs84(kOsgb36, kAiry, g.lat, g.lon);
}

bool InGreatBritain(double lat, double lon) {
  return lat >= 49.75 && lat <= 61.01 && lon >= -9.01 && lon <= 2.01;
}

std::string OsgbReference(double east, double north, int digits, std::string* why) {
  if (!(east >= 0 && east < 7 * kTile && north >= 0 && north < 13 * kTile)) {
    if (why) *why = "the grid's squares reach 0 to 700000 east and 0 to 1300000 north";
    return "";
  }
  const int e = static_cast<int>(maths::floor(east / kTile));
  const int n = static_cast<int>(maths::floor(north / kTile));
  // The first letter names the 500 km square counted from SV, the false
  // origin, which is the letter S; the second the 100 km square in it.
  const int first = (19 - n) / 5 * 5 + (e + 10) / 5;
  const int second = (19 - n) * 5 % 25 + e % 5;
  std::string text = {kLetters[static_cast<size_t>(first)], kLetters[static_cast<size_t>(second)]};
  if (digits > 0) {
    long long ex = static_cast<long long>(maths::floor(east)) % 100000;
    long long ny = static_cast<long long>(maths::floor(north)) % 100000;
    for (int i = digits; i < 5; ++i) {
      ex /= 10;
      ny /= 10;
    }
    char buf[64];
    const int width = digits < 5 ? digits : 5;
    std::snprintf(buf, sizeof buf, " %0*lld %0*lld", width, ex, width, ny);
    text += buf;
  }
  return text;
}

OsgbReading ReadOsgbReference(std::string_view text) {
  OsgbReading r;
  const std::string example = "write it as TQ 30080 80900: two letters, then digits";
  std::string letters;
  std::vector<std::string> groups;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == ' ') {
      if (!groups.empty() && !groups.back().empty()) groups.emplace_back();
      continue;
    }
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z' && groups.empty()) {
      letters += c;
    } else if (c >= '0' && c <= '9') {
      if (groups.empty()) groups.emplace_back();
      groups.back() += c;
    } else {
      r.why = std::string("'") + text[i] + "' has no place in a grid reference: " + example;
      return r;
    }
  }
  if (!groups.empty() && groups.back().empty()) groups.pop_back();
  if (letters.size() != 2) {
    r.why = "a grid reference begins with the two letters of its 100 km square: " + example;
    return r;
  }
  std::string digits;
  for (const std::string& g : groups) digits += g;
  if (groups.size() == 2 && groups[0].size() != groups[1].size()) {
    r.why =
        "easting " + groups[0] + " and northing " + groups[1] + " need the same number of digits";
    return r;
  }
  if (groups.size() > 2 || digits.size() % 2 != 0 || digits.size() > 10) {
    r.why =
        "after the letters come easting and northing with the same number of digits, at "
        "most 5 each: " +
        example;
    return r;
  }
  const size_t first = kLetters.find(letters[0]), second = kLetters.find(letters[1]);
  if (first == std::string_view::npos || second == std::string_view::npos) {
    r.why = "there is no letter I in grid references: " + example;
    return r;
  }
  // Back from the letters to the 100 km square's place.
  const int e = static_cast<int>((first % 5) * 5 + second % 5) - 10;
  const int n = 19 - static_cast<int>((first / 5) * 5 + second / 5);
  if (e < 0 || e >= 7 || n < 0 || n >= 13) {
    r.why = "there is no square " + letters +
            " in the British grid: its squares run from SV "
            "in the south-west to HP in the north";
    return r;
  }
  const size_t half = digits.size() / 2;
  double unit = kTile, ex = 0, ny = 0;
  for (size_t i = 0; i < half; ++i) {
    unit /= 10;
    ex = ex * 10 + (digits[i] - '0');
    ny = ny * 10 + (digits[half + i] - '0');
  }
  r.ok = true;
  r.east = e * kTile + ex * unit;
  r.north = n * kTile + ny * unit;
  r.size = unit;
  return r;
}

}  // namespace orbelin
