// The geohash: a position as a string of base-32 digits whose bits halve
// the longitude and latitude ranges in turn, longitude first, so that "u"
// is a cell of 45 by 45 degrees, "u4pru" one of about 5 by 5 km and
// 12 characters one of 3.7 by 1.9 cm.
//
// Source: G. Niemeyer's definition (geohash.org, 2008): the digits
// "0123456789bcdefghjkmnpqrstuvwxyz" (no a, i, l, o).
//
// Both ways are exact: each bit compares the value with the middle of its
// range, a number of the form k 360 / 2^m, which a double holds exactly.
#pragma once

#include <string>
#include <string_view>

#include "geocodes/code_area.h"

namespace orbelin {

inline constexpr int kGeohashMaxLength = 12;

// The geohash of a position with `length` (1 to 12) characters. Latitude
// in [-90, 90]; any longitude, 180 E counting as 180 W. A point on a cell's
// edge belongs to the cell east or north of it.
std::string Geohash(double lat, double lon, int length);

// The cell a geohash names (1 to 12 characters, small or capital letters).
CodeReading ReadGeohash(std::string_view text);

}  // namespace orbelin
