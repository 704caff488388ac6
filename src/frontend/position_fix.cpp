#include "frontend/position_fix.h"

#include <cstdio>

#include "base/maths.h"
#include "frontend/point.h"

namespace orbelin {

namespace {

// A longitude difference folded into [-180, 180].
double Within180(double degrees) {
  const double r = maths::fmod(degrees, 360.0);
  return r > 180 ? r - 360 : r < -180 ? r + 360 : r;
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r") == std::string_view::npos;
}

// " {±7 m}", " {±4 m, mean of 10 fixes}"; "" without an accuracy.
std::string AccuracyComment(double accuracy_m, int fixes) {
  if (!(accuracy_m > 0) || !maths::isfinite(accuracy_m)) return "";
  char text[64];
  if (fixes > 1) {
    std::snprintf(text, sizeof text, " {\xC2\xB1%.0f m, mean of %d fixes}", maths::ceil(accuracy_m),
                  fixes);
  } else {
    std::snprintf(text, sizeof text, " {\xC2\xB1%.0f m}", maths::ceil(accuracy_m));
  }
  return text;
}

}  // namespace

AveragedPosition AverageFixes(const std::vector<Fix>& fixes) {
  std::vector<Fix> usable;
  for (const Fix& f : fixes) {
    if (PointRefusal({f.lat, f.lon, true}).empty()) usable.push_back(f);
  }
  AveragedPosition mean;
  if (usable.empty()) return mean;
  // Longitudes as offsets from the first, so that fixes on both sides of
  // the 180° meridian average to a place between them.
  const double lon0 = usable.front().lon;
  double lat_sum = 0, lon_sum = 0, accuracy_sum = 0;
  for (const Fix& f : usable) {
    lat_sum += f.lat;
    lon_sum += Within180(f.lon - lon0);
    accuracy_sum += maths::isfinite(f.accuracy) && f.accuracy > 0 ? f.accuracy : 0;
  }
  const double n = static_cast<double>(usable.size());
  mean.fixes = static_cast<int>(usable.size());
  mean.lat = lat_sum / n;
  mean.lon = Within180(lon0 + lon_sum / n);
  double squares = 0;
  for (const Fix& f : usable) {
    const Leg leg = LegBetween(mean.lat, mean.lon, f.lat, f.lon);
    squares += leg.found ? leg.distance * leg.distance : 0;
  }
  mean.spread = maths::sqrt(squares / n);
  mean.accuracy = maths::fmax(accuracy_sum / n, mean.spread);
  return mean;
}

std::string AverageText(const AveragedPosition& position) {
  char text[96];
  std::snprintf(text, sizeof text, "%d fix%s, spread %.1f m, \xC2\xB1%.0f m", position.fixes,
                position.fixes == 1 ? "" : "es", position.spread, maths::ceil(position.accuracy));
  return text;
}

std::string PositionInsertion(double lat, double lon, double accuracy_m, int fixes,
                              std::string_view line_before_caret,
                              std::string_view line_after_caret) {
  const std::string comment = AccuracyComment(accuracy_m, fixes);
  const size_t last = line_before_caret.find_last_not_of(" \t\r");
  const bool own_line = (last == std::string_view::npos || line_before_caret[last] == ';') &&
                        IsBlank(line_after_caret);
  if (own_line) {
    return "OLAT = " + LatitudeLiteral(lat) + "; OLON = " + LongitudeLiteral(lon) + ";" + comment;
  }
  return LatitudeLiteral(lat) + ", " + LongitudeLiteral(lon) + comment;
}

}  // namespace orbelin
