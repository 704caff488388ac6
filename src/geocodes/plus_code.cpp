#include "geocodes/plus_code.h"

#include <algorithm>

#include "base/maths.h"

namespace orbelin {

namespace {

constexpr std::string_view kDigits = "23456789CFGHJMPQRVWX";
constexpr char kSeparator = '+';
constexpr char kPadding = '0';
constexpr size_t kSeparatorPosition = 8;
constexpr int kPairDigits = 10;
constexpr int kGridRows = 5, kGridColumns = 4;
// The finest cells per degree: 8000 for ten digits, then the grid's.
constexpr long long kLatPrecision = 8000LL * 5 * 5 * 5 * 5 * 5;  // 25000000
constexpr long long kLngPrecision = 8000LL * 4 * 4 * 4 * 4 * 4;  // 8192000

// The height (degrees of latitude) of a code's cell.
double LatitudeCell(int digits) {
  if (digits <= kPairDigits) return maths::pow(20.0, 2 - digits / 2);
  return maths::pow(20.0, -3) / maths::pow(5.0, digits - kPairDigits);
}

std::string Upper(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

}  // namespace

bool PlusCodeLength(int digits) {
  return (digits >= 2 && digits < kPairDigits && digits % 2 == 0) ||
         (digits >= kPairDigits && digits <= kPlusCodeMaxDigits);
}

std::string PlusCode(double lat, double lon, int digits) {
  lat = std::clamp(lat, -90.0, 90.0);
  double lng = maths::remainder(lon, 360.0);
  if (lng == 180) lng = -180;
  if (lat == 90) lat -= LatitudeCell(digits);
  // Whole cells; the rounding to a millionth of a cell keeps a value such
  // as 0.1 * 8000 from falling a hair below its whole number.
  long long lat_val =
      static_cast<long long>(maths::floor(maths::round((lat + 90) * kLatPrecision * 1e6) / 1e6));
  long long lng_val =
      static_cast<long long>(maths::floor(maths::round((lng + 180) * kLngPrecision * 1e6) / 1e6));
  lat_val = std::min(lat_val, 180 * kLatPrecision - 1);
  lng_val = std::min(lng_val, 360 * kLngPrecision - 1);
  std::string code;
  if (digits > kPairDigits) {
    for (int i = 0; i < kPlusCodeMaxDigits - kPairDigits; ++i) {
      const long long row = lat_val % kGridRows, col = lng_val % kGridColumns;
      code.insert(code.begin(), kDigits[static_cast<size_t>(row * kGridColumns + col)]);
      lat_val /= kGridRows;
      lng_val /= kGridColumns;
    }
  } else {
    lat_val /= kLatPrecision / 8000;
    lng_val /= kLngPrecision / 8000;
  }
  for (int i = 0; i < kPairDigits / 2; ++i) {
    code.insert(code.begin(), kDigits[static_cast<size_t>(lng_val % 20)]);
    code.insert(code.begin(), kDigits[static_cast<size_t>(lat_val % 20)]);
    lat_val /= 20;
    lng_val /= 20;
  }
  code.insert(kSeparatorPosition, 1, kSeparator);
  if (digits >= static_cast<int>(kSeparatorPosition)) {
    return code.substr(0, static_cast<size_t>(digits) + 1);
  }
  return code.substr(0, static_cast<size_t>(digits)) +
         std::string(kSeparatorPosition - static_cast<size_t>(digits), kPadding) + kSeparator;
}

PlusCodeKind ClassifyPlusCode(std::string_view text, std::string* why) {
  auto fail = [why](std::string reason) {
    if (why) *why = std::move(reason);
    return PlusCodeKind::kNone;
  };
  const std::string code = Upper(text);
  const size_t sep = code.find(kSeparator);
  if (sep == std::string::npos) {
    return fail("a plus code has a '+', as in 8FVC9G8F+6X or 9G8F+6X");
  }
  if (code.find(kSeparator, sep + 1) != std::string::npos) return fail("it has two '+'");
  if (sep > kSeparatorPosition || sep % 2 != 0) {
    return fail(
        "the '+' stands after the 8th digit of a full code, or after the 2nd, 4th or "
        "6th of a short one");
  }
  const size_t pad = code.find(kPadding);
  if (pad != std::string::npos) {
    if (pad == 0 || pad % 2 != 0 || sep != kSeparatorPosition) {
      return fail("the padding 0s of a cut code stand in pairs before the '+', as in 8FVC0000+");
    }
    if (code.find_first_not_of(kPadding, pad) != sep || sep + 1 != code.size()) {
      return fail("a code padded with 0s ends with them and the '+', as in 8FVC0000+");
    }
  }
  if (code.size() - sep - 1 == 1) {
    return fail("one digit after the '+' is not enough: two or more, as in 9G8F+6X");
  }
  for (size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == kSeparator || (pad != std::string::npos && i >= pad)) continue;
    if (kDigits.find(c) == std::string_view::npos) {
      return fail(std::string("'") + text[i] + "' is no plus code digit: they are " +
                  std::string(kDigits));
    }
  }
  if (sep < kSeparatorPosition) return PlusCodeKind::kShort;
  // The first two digits count 20 degrees of latitude from 90 S and of
  // longitude from 180 W: at most 160 and 340.
  if (kDigits.find(code[0]) * 20 >= 180 || kDigits.find(code[1]) * 20 >= 360) {
    return fail(
        "its first two digits point beyond the poles or the date line: the first is 2 "
        "to C, the second 2 to V");
  }
  return PlusCodeKind::kFull;
}

CodeReading ReadPlusCode(std::string_view text) {
  CodeReading r;
  std::string why;
  const PlusCodeKind kind = ClassifyPlusCode(text, &why);
  if (kind != PlusCodeKind::kFull) {
    r.why =
        kind == PlusCodeKind::kShort ? "it is a short code: the first digits are left out" : why;
    return r;
  }
  // Digits after the 15th narrow the cell below a micrometre: they are read
  // as valid and not used.
  std::string digits;
  for (char c : Upper(text)) {
    if (c != kSeparator && c != kPadding && digits.size() < kPlusCodeMaxDigits) digits += c;
  }
  long long lat_val = 0, lng_val = 0;
  long long lat_cells = kLatPrecision * 20, lng_cells = kLngPrecision * 20;  // per first digit
  for (size_t i = 0; i < digits.size(); ++i) {
    const long long v = static_cast<long long>(kDigits.find(digits[i]));
    if (i < kPairDigits) {
      if (i % 2 == 0) {
        lat_cells /= (i == 0 ? 1 : 20);
        lat_val += v * lat_cells;
      } else {
        lng_cells /= (i == 1 ? 1 : 20);
        lng_val += v * lng_cells;
      }
    } else {
      lat_cells /= kGridRows;
      lng_cells /= kGridColumns;
      lat_val += (v / kGridColumns) * lat_cells;
      lng_val += (v % kGridColumns) * lng_cells;
    }
  }
  r.ok = true;
  r.area.south = static_cast<double>(lat_val) / kLatPrecision - 90;
  r.area.west = static_cast<double>(lng_val) / kLngPrecision - 180;
  r.area.north = r.area.south + static_cast<double>(lat_cells) / kLatPrecision;
  r.area.east = r.area.west + static_cast<double>(lng_cells) / kLngPrecision;
  return r;
}

CodeReading ReadPlusCodeNear(std::string_view text, double ref_lat, double ref_lon) {
  std::string why;
  const PlusCodeKind kind = ClassifyPlusCode(text, &why);
  if (kind != PlusCodeKind::kShort) return ReadPlusCode(text);
  // The digits left out are the reference's; then the cell is moved by one
  // step of the first digit kept, towards the reference, when that puts it
  // nearer.
  ref_lat = std::clamp(ref_lat, -90.0, 90.0);
  const std::string code = Upper(text);
  const size_t missing = kSeparatorPosition - code.find(kSeparator);
  const double resolution = maths::pow(20.0, 2 - static_cast<double>(missing) / 2);
  const double half = resolution / 2;
  CodeReading r = ReadPlusCode(PlusCode(ref_lat, ref_lon, kPairDigits).substr(0, missing) + code);
  if (!r.ok) return r;
  double lat = std::min(r.area.lat(), 90.0), lng = r.area.lon();
  double ref_lng = maths::remainder(ref_lon, 360.0);
  if (ref_lat + half < lat && lat - resolution >= -90) {
    lat -= resolution;
  } else if (ref_lat - half > lat && lat + resolution <= 90) {
    lat += resolution;
  }
  if (ref_lng + half < lng) {
    lng -= resolution;
  } else if (ref_lng - half > lng) {
    lng += resolution;
  }
  const int digits =
      static_cast<int>(std::min<size_t>(missing + code.size() - 1, kPlusCodeMaxDigits));
  return ReadPlusCode(PlusCode(lat, lng, digits));
}

}  // namespace orbelin
