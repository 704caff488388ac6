#include "interp/grid_checks.h"

#include <algorithm>
#include <cstdio>
#include <numbers>

#include "base/maths.h"
#include "interp/errors.h"

namespace orbelin {

namespace {

// A cache hides within a few metres: a smaller area needs no word.
constexpr double kFieldTolerance = 10.0;

}  // namespace

bool Position(Runtime& rt, std::string_view keyword, double lat, double lon) {
  if (maths::isnan(lat) || maths::isnan(lon)) return false;
  char buf[48];
  if (!maths::isfinite(lon)) {
    rt.Refuse(kErrNoSuchPlace, std::string(keyword) + ": the longitude is infinite: " +
                                   "longitudes run from -180 (west) to 180 (east)");
    return false;
  }
  if (!(maths::fabs(lat) <= 90)) {
    std::snprintf(buf, sizeof buf, "%g", lat);
    rt.Refuse(kErrNoSuchPlace, std::string(keyword) + ": the latitude " + buf +
                                   " lies beyond the pole: latitudes run from -90 (south) to "
                                   "90 (north), and the latitude comes first");
    return false;
  }
  return true;
}

std::string Metres(double metres) {
  char buf[32];
  if (metres >= 10000) {
    std::snprintf(buf, sizeof buf, "%.0f km", metres / 1000);
  } else if (metres >= 1000) {
    std::snprintf(buf, sizeof buf, maths::fmod(metres, 1000) == 0 ? "%.0f km" : "%.1f km",
                  metres / 1000);
  } else if (metres >= 10) {
    std::snprintf(buf, sizeof buf, "%.0f m", metres);
  } else {
    std::snprintf(buf, sizeof buf, maths::fmod(metres, 1) == 0 ? "%.0f m" : "%.1f m", metres);
  }
  return buf;
}

void NoteArea(Runtime& rt, std::string_view keyword, std::string_view text,
              double north_south_metres, double east_west_metres, std::string_view hint) {
  if (!(maths::hypot(north_south_metres, east_west_metres) / 2 > kFieldTolerance)) return;
  std::string size = north_south_metres == east_west_metres
                         ? "a square of " + Metres(north_south_metres)
                         : "an area of " + Metres(north_south_metres) + " (north-south) by " +
                               Metres(east_west_metres) + " (east-west)";
  rt.Note(std::string(keyword) + ": '" + std::string(text) + "' names " + size +
              ": the position is its middle",
          std::string(hint));
}

void NoteCodeArea(Runtime& rt, std::string_view keyword, std::string_view text,
                  const CodeArea& area, std::string_view hint) {
  // Metres per degree on the WGS 84 ellipsoid near the area's middle: good
  // to a few percent, which is all a size needs.
  constexpr double kMetresPerDegree = 111320.0;
  const double lat = std::clamp(area.lat(), -90.0, 90.0);
  const double ns = (area.north - area.south) * kMetresPerDegree;
  const double ew =
      (area.east - area.west) * kMetresPerDegree * maths::cos(lat * std::numbers::pi / 180);
  NoteArea(rt, keyword, text, ns, ew, hint);
}

}  // namespace orbelin
