// Plus codes (Open Location Code): "8FVC9G8F+6X" is a cell of 1/8000 by
// 1/8000 degree (about 14 by 9 m in Zurich). The first ten digits are five
// pairs of base-20 digits, latitude then longitude, each pair dividing the
// cell of the one before into 20 by 20; a "+" follows the eighth. Up to
// five more digits each divide the cell into 5 rows by 4 columns. A code
// cut to 2, 4 or 6 digits is padded with "0" up to the "+" ("8FVC0000+").
// A short code ("9G8F+6X") leaves out the first digits, which the nearest
// place to a reference point supplies.
//
// Source: the published definition of Open Location Code
// (github.com/google/open-location-code), with the digits
// "23456789CFGHJMPQRVWX". Computed in whole cells of the finest level
// (1/25000000 degree of latitude, 1/8192000 of longitude), so that a
// decimal lying exactly on a cell's edge falls in the cell north or east
// of it, not wherever the nearest double happens to lie.
#pragma once

#include <string>
#include <string_view>

#include "geocodes/code_area.h"

namespace orbelin {

inline constexpr int kPlusCodeMaxDigits = 15;

// Whether a plus code may have `digits` digits: 2, 4, 6, 8, or 10 to 15.
bool PlusCodeLength(int digits);

// The full code of a position with `digits` digits. Latitude in [-90, 90]
// (90 is taken as just south of it, so the code can be read back); any
// longitude.
std::string PlusCode(double lat, double lon, int digits);

// What a text is: a full code, a short one, or neither (then `why` says
// what is wrong).
enum class PlusCodeKind { kNone, kFull, kShort };
PlusCodeKind ClassifyPlusCode(std::string_view text, std::string* why);

// The cell of a full code; digits after the 15th are accepted and ignored.
CodeReading ReadPlusCode(std::string_view text);
// The cell of a full code, or of a short code completed with the first
// digits that put it nearest to the reference point.
CodeReading ReadPlusCodeNear(std::string_view text, double ref_lat, double ref_lon);

}  // namespace orbelin
