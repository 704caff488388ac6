// The Maidenhead locator of radio amateurs: "JN58td" is field JN (20 by 10
// degrees), square 58 (2 by 1 degrees) and subsquare td (5 by 2.5 minutes);
// an extended square of two digits (30 by 15 seconds) and a second pair of
// letters (1.25 by 0.625 seconds) narrow it to 10 characters. In each pair
// the first character counts longitude eastward from 180 W, the second
// latitude northward from 90 S.
//
// Source: the IARU Region 1 definition (VHF managers' handbook); the
// extended pairs as the usual 8- and 10-character extension.
//
// Computed in whole cells of the finest level (1/2880 degree of longitude,
// 1/5760 of latitude), so each character is the floor of an exact integer
// division: a point on a cell's edge belongs to the cell east or north of it.
#pragma once

#include <string>
#include <string_view>

#include "geocodes/code_area.h"

namespace orbelin {

// The locator of a position with `length` characters, 2 to 10 and even;
// letters of the first pair in capitals, of the others small ("JN58td25xx").
// Latitude in [-90, 90]; 90 lies in the northernmost cells. Any longitude,
// 180 E counting as 180 W.
std::string Locator(double lat, double lon, int length);

// The area a locator names (2 to 10 characters, any case).
CodeReading ReadLocator(std::string_view text);

}  // namespace orbelin
