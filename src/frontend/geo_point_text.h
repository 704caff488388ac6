// A point on the Earth as a user types it on the command line:
//
//   N 48° 12.345 E 011° 30.500    the form of cache pages and GPS receivers
//   N 48 12.345 E 011 30.500      the same without degree signs
//   48.2058 11.5083               decimal degrees, latitude first
//
// The first is read as a script reads a pasted coordinate, in any of its
// forms (N48°12.345, N 48° 12' 20.7", N 48.20575°, lower case letters, a
// comma between the two or none); the degree signs may be left out, as
// they are awkward to type in a shell and a letter with numbers can mean
// nothing else here. S and W, or a minus, are south and west; the two
// decimal numbers may be separated by a comma.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "geodesy/angles.h"

namespace orbelin {

struct GeoPointReading {
  std::optional<GeoPoint> point;
  std::string error;  // why the text is no point, when there is none
};

// Reads UTF-8 text; the point is within +-90 and +-180 degrees.
GeoPointReading ReadGeoPoint(std::string_view text);

}  // namespace orbelin
