#include "geodesy/mgrs.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/maths.h"
#include "geodesy/polar_stereographic.h"
#include "geodesy/transverse_mercator.h"

namespace orbelin {

namespace {

constexpr double kA = 6378137.0;          // WGS 84
constexpr double kF = 1 / 298.257223563;  //
constexpr double kTile = 100000.0;        // the side of a 100 km square

constexpr std::string_view kBands = "CDEFGHJKLMNPQRSTUVWX";  // 80 S .. 84 N, 8 degrees each
// UTM: the column letters repeat every third zone, the row letters every
// 2000 km, starting 500 km further on in the even zones.
constexpr std::string_view kUtmColumns[3] = {"ABCDEFGH", "JKLMNPQR", "STUVWXYZ"};
constexpr std::string_view kUtmRows = "ABCDEFGHJKLMNPQRSTUV";
constexpr int kEvenZoneRowShift = 5;
// UPS: the caps' own letters, by band A, B, Y, Z; the first column of each
// half and the first row of each cap, in 100 km from the grid's origin.
constexpr std::string_view kUpsBands = "ABYZ";
constexpr std::string_view kUpsColumns[4] = {"JKLPQRSTUXYZ", "ABCFGHJKLPQR", "RSTUXYZ", "ABCFGHJ"};
constexpr std::string_view kUpsRows[2] = {"ABCDEFGHJKLMNPQRSTUVWXYZ", "ABCDEFGHJKLMNP"};
constexpr int kUpsFirstSouth = 8, kUpsFirstNorth = 13, kUpsEastColumn = 20;

TransverseMercator Utm(int zone, bool north) {
  return {kA, kF, 0.9996, 6.0 * zone - 183, 0, 500000, north ? 0.0 : 10000000.0};
}

constexpr PolarStereographic kUps = {kA, kF, 0.994, 2000000, 2000000};

bool IsNorthBand(char band) {
  return band >= 'N';  // N..X, Y, Z
}

int UpsBandIndex(bool north, bool east) {
  return (north ? 2 : 0) + (east ? 1 : 0);
}

// The band index 0..19 of a latitude from 80 S to 84 N (X reaches 84).
int BandIndex(double lat) {
  const int ilat = static_cast<int>(maths::floor(lat));
  return std::clamp((ilat + 80) / 8, 0, 19);
}

std::string Listed(std::string_view letters) {
  std::string s;
  for (size_t i = 0; i < letters.size(); ++i) {
    if (i > 0) s += i + 1 == letters.size() ? " or " : ", ";
    s += letters[i];
  }
  return s;
}

// The digits of a coordinate within its square, cut to `digits` places.
std::string Digits(double within, int digits) {
  long long v = static_cast<long long>(within);  // 0 <= within < 100000
  for (int i = digits; i < 5; ++i) v /= 10;
  char buf[8];
  std::snprintf(buf, sizeof buf, "%0*lld", digits, v);
  return buf;
}

}  // namespace

MgrsPosition GeoToMgrs(double lat, double lon) {
  MgrsPosition p;
  if (lat >= 84 || lat < -80) {
    const bool north = lat > 0;
    const PlanePoint xy = PsForward(kUps, north, lat, lon);
    p.zone = 0;
    p.band = kUpsBands[UpsBandIndex(north, xy.x >= 2000000)];
    p.easting = xy.x;
    p.northing = xy.y;
    return p;
  }
  // The zone of the whole degree of longitude, 180 counted as -180.
  int ilon = static_cast<int>(maths::floor(maths::remainder(lon, 360.0)));
  if (ilon >= 180) ilon -= 360;
  int zone = (ilon + 186) / 6;
  const int band = BandIndex(lat);
  if (kBands[band] == 'V' && zone == 31 && ilon >= 3) {
    zone = 32;  // southern Norway
  } else if (kBands[band] == 'X' && ilon >= 0 && ilon < 42) {
    zone = 2 * ((ilon + 183) / 12) + 1;  // Svalbard: 31, 33, 35, 37
  }
  const bool north = lat >= 0;
  const PlanePoint xy = TmForward(Utm(zone, north), lat, lon);
  p.zone = zone;
  p.band = kBands[band];
  p.easting = xy.x;
  p.northing = xy.y;
  return p;
}

GeoPoint MgrsToGeo(const MgrsPosition& p) {
  const bool north = IsNorthBand(p.band);
  if (p.zone == 0) return PsInverse(kUps, north, p.easting, p.northing);
  return TmInverse(Utm(p.zone, north), p.easting, p.northing);
}

std::string MgrsText(const MgrsPosition& p, int digits, std::string* why) {
  auto fail = [why](std::string text) {
    if (why) *why = std::move(text);
    return std::string();
  };
  if (!(maths::isfinite(p.easting) && maths::isfinite(p.northing))) {
    return fail("the easting and northing must be numbers");
  }
  // The 100 km square, and the place within it.
  const double xh_f = maths::floor(p.easting / kTile), yh_f = maths::floor(p.northing / kTile);
  if (maths::fabs(xh_f) > 1000 || maths::fabs(yh_f) > 1000) {
    return fail("the easting or northing lies far outside any grid zone");
  }
  const int xh = static_cast<int>(xh_f), yh = static_cast<int>(yh_f);
  const double ex = maths::floor(p.easting) - xh * kTile;
  const double ny = maths::floor(p.northing) - yh * kTile;
  char zone_text[4] = "";
  char letters[3] = {};
  if (p.zone == 0) {
    const size_t b = kUpsBands.find(p.band);
    if (p.band == 0 || b == std::string_view::npos) {
      return fail("zone 0 is a polar cap: its band is A or B (south) or Y or Z (north)");
    }
    const bool north = b >= 2;
    const bool east = xh >= kUpsEastColumn;
    const int iband = UpsBandIndex(north, east);
    const int first = north ? kUpsFirstNorth : kUpsFirstSouth;
    const int col = xh - (east ? kUpsEastColumn : first);
    const int row = yh - first;
    if (col < 0 || col >= static_cast<int>(kUpsColumns[iband].size()) || row < 0 ||
        row >= static_cast<int>(kUpsRows[north].size())) {
      return fail("the easting and northing lie outside the polar cap's squares");
    }
    letters[0] = kUpsColumns[iband][static_cast<size_t>(col)];
    letters[1] = kUpsRows[north][static_cast<size_t>(row)];
    // The band follows the easting: west of the 0/180 meridian A or Y.
    const char band = kUpsBands[static_cast<size_t>(iband)];
    std::string text(1, band);
    text += ' ';
    text += letters;
    if (digits > 0) text += ' ' + Digits(ex, digits) + ' ' + Digits(ny, digits);
    return text;
  }
  if (p.zone < 1 || p.zone > 60) return fail("UTM zones run from 1 to 60");
  if (p.band == 0 || kBands.find(p.band) == std::string_view::npos) {
    return fail("the band is a letter from C to X (without I and O)");
  }
  if (xh < 1 || xh > 8) return fail("a UTM easting lies between 100000 and 900000");
  const bool north = IsNorthBand(p.band);
  if (north ? (yh < 0 || yh > 95) : (yh < 10 || yh > 99)) {
    return fail(north ? "a northern UTM northing lies between 0 and 9500000"
                      : "a southern UTM northing lies between 1000000 and 10000000");
  }
  std::snprintf(zone_text, sizeof zone_text, "%02d", p.zone);
  letters[0] = kUtmColumns[(p.zone - 1) % 3][static_cast<size_t>(xh - 1)];
  letters[1] = kUtmRows[static_cast<size_t>((yh + (p.zone % 2 == 0 ? kEvenZoneRowShift : 0)) % 20)];
  std::string text = std::string(zone_text) + p.band + ' ' + letters;
  if (digits > 0) text += ' ' + Digits(ex, digits) + ' ' + Digits(ny, digits);
  return text;
}

MgrsReading ReadMgrs(std::string_view text) {
  MgrsReading r;
  auto fail = [&r](MgrsReading::Fault fault, std::string why) {
    r.fault = fault;
    r.why = std::move(why);
    return r;
  };
  using Fault = MgrsReading::Fault;
  const std::string example = "write it as 32U MV 12345 67890: zone, band, square, digits";
  // Split into what comes before the digits and the groups of digits.
  std::string head;
  std::vector<std::string> groups;
  bool in_digits = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == ' ') {
      if (in_digits && !groups.back().empty()) groups.emplace_back();
      continue;
    }
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const bool digit = c >= '0' && c <= '9';
    const bool letter = c >= 'A' && c <= 'Z';
    if (!digit && !letter) {
      return fail(Fault::kForm, std::string("'") + text[i] + "' has no place in MGRS: " + example);
    }
    if (in_digits) {
      if (!digit) return fail(Fault::kForm, "letters after the digits: " + example);
      groups.back() += c;
    } else if (digit && head.size() >= 3 && !(head.back() >= '0' && head.back() <= '9')) {
      in_digits = true;
      groups.emplace_back(1, c);
    } else {
      head += c;
    }
  }
  if (!groups.empty() && groups.back().empty()) groups.pop_back();
  // head: [zone] band column row
  size_t zone_digits = 0;
  while (zone_digits < head.size() && head[zone_digits] >= '0' && head[zone_digits] <= '9') {
    ++zone_digits;
  }
  if (zone_digits > 2 || head.size() != zone_digits + 3) {
    return fail(Fault::kForm,
                "a grid zone such as 32U (or A, B, Y, Z near the poles) and two "
                "letters for the 100 km square come first: " +
                    example);
  }
  std::string digits;
  for (const std::string& g : groups) digits += g;
  if (groups.size() == 2 && groups[0].size() != groups[1].size()) {
    return fail(Fault::kForm, "easting " + groups[0] + " and northing " + groups[1] +
                                  " need the same number of digits");
  }
  if (groups.size() > 2 || digits.size() % 2 != 0 || digits.size() > 10) {
    return fail(Fault::kForm,
                "after the letters come easting and northing with the same number of digits, "
                "at most 5 each: " +
                    example);
  }
  const int n = static_cast<int>(digits.size() / 2);
  double unit = kTile;
  double e_in = 0, n_in = 0;
  for (int i = 0; i < n; ++i) {
    unit /= 10;
    e_in = e_in * 10 + (digits[static_cast<size_t>(i)] - '0');
    n_in = n_in * 10 + (digits[static_cast<size_t>(n + i)] - '0');
  }
  e_in *= unit;
  n_in *= unit;
  r.size = unit;
  const char band = head[zone_digits];
  const char col = head[zone_digits + 1];
  const char row = head[zone_digits + 2];

  if (zone_digits == 0) {  // a polar cap
    const size_t b = kUpsBands.find(band);
    if (b == std::string_view::npos) {
      return fail(Fault::kForm,
                  "without a zone number the band is a polar cap's: A or B "
                  "(south), Y or Z (north); elsewhere " +
                      example);
    }
    const bool north = b >= 2, east = b % 2 == 1;
    const size_t icol = kUpsColumns[b].find(col);
    const size_t irow = kUpsRows[north].find(row);
    if (icol == std::string_view::npos || irow == std::string_view::npos) {
      return fail(Fault::kSquare, std::string("there is no square ") + col + row + " in band " +
                                      band + ": its columns are " + Listed(kUpsColumns[b]) +
                                      ", its rows " + Listed(kUpsRows[north]));
    }
    const int first = north ? kUpsFirstNorth : kUpsFirstSouth;
    r.corner.zone = 0;
    r.corner.band = band;
    r.corner.easting = (static_cast<int>(icol) + (east ? kUpsEastColumn : first)) * kTile + e_in;
    r.corner.northing = (static_cast<int>(irow) + first) * kTile + n_in;
    r.centre = PsInverse(kUps, north, r.corner.easting + unit / 2, r.corner.northing + unit / 2);
    return r;
  }

  const int zone = zone_digits == 1 ? head[0] - '0' : (head[0] - '0') * 10 + (head[1] - '0');
  if (zone < 1 || zone > 60) {
    return fail(Fault::kSquare,
                "there is no zone " + std::to_string(zone) + ": UTM zones run from 1 to 60");
  }
  const size_t iband = kBands.find(band);
  if (iband == std::string_view::npos) {
    return fail(Fault::kSquare, std::string("there is no band ") + band +
                                    ": bands run from C to X without I and O (A, B, Y and Z, "
                                    "without a zone, are the polar caps)");
  }
  const std::string_view columns = kUtmColumns[(zone - 1) % 3];
  const size_t icol = columns.find(col);
  const size_t irow = kUtmRows.find(row);
  const std::string zb = std::to_string(zone) + band;
  if (icol == std::string_view::npos) {
    return fail(Fault::kSquare, std::string("zone ") + std::to_string(zone) + " has no column " +
                                    col + ": its columns are " + Listed(columns));
  }
  if (irow == std::string_view::npos) {
    return fail(Fault::kSquare,
                std::string("there is no row ") + row + ": rows run from A to V without I and O");
  }
  // The row letters repeat every 2000 km: the band says which repetition.
  const bool north = IsNorthBand(band);
  const TransverseMercator tm = Utm(zone, north);
  const double lo = -80.0 + 8.0 * static_cast<double>(iband);
  const double hi = band == 'X' ? 84.0 : lo + 8;
  const int shift = zone % 2 == 0 ? kEvenZoneRowShift : 0;
  const int rem = (static_cast<int>(irow) - shift + 20) % 20;
  const double x0 = (static_cast<double>(icol) + 1) * kTile;
  for (int yh = rem; yh < 100; yh += 20) {
    if (!north && yh < 10) continue;
    const double y0 = yh * kTile;
    double south = 90, nort = -90;
    for (double x : {x0, x0 + kTile}) {
      for (double y : {y0, y0 + kTile}) {
        const double lat = TmInverse(tm, x, y).lat;
        south = maths::fmin(south, lat);
        nort = maths::fmax(nort, lat);
      }
    }
    if (nort <= lo || south >= hi) continue;
    r.corner = {zone, band, x0 + e_in, y0 + n_in};
    r.centre = TmInverse(tm, r.corner.easting + unit / 2, r.corner.northing + unit / 2);
    return r;
  }
  return fail(Fault::kSquare, std::string("the square ") + col + row + " does not lie in " + zb +
                                  ": check the band letter and the two square letters");
}

}  // namespace orbelin
