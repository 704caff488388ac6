// The forms in which the window and the page hand the script's point on: a geo:
// link for map apps, a GPX 1.1 waypoint file, and the text geocachers type.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// "geo:LAT,LON" with six decimals, as the window's exchange file has them.
std::string GeoUri(double lat, double lon);

// "N 48° 12.345 E 011° 30.500" (UTF-8): hemisphere, whole degrees (two
// digits for the latitude, three for the longitude) and minutes rounded to
// thousandths, carried into the degrees when they round up to 60.
std::string CoordinateText(double lat, double lon);

// A GPX 1.1 file with one waypoint named `name` (UTF-8, escaped here).
std::string GpxWaypoint(double lat, double lon, std::string_view name);

}  // namespace orbelin
