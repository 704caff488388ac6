#include "frontend/vary/filter.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "base/ascii.h"
#include "base/maths.h"
#include "frontend/vary/value_sets.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/vincenty_distance.h"

namespace orbelin {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A single number, read as a value set reads it.
std::optional<double> ReadNumber(std::string_view text, std::string* error) {
  if (text.find("..") != std::string_view::npos || text.find(',') != std::string_view::npos) {
    *error = "'" + std::string(Trim(text)) + "' is not a number.";
    return std::nullopt;
  }
  std::optional<std::vector<double>> v = ReadValues(text, error);
  if (!v) return std::nullopt;
  return v->front();
}

}  // namespace

bool Condition::Holds(double value) const {
  for (const Span& s : spans) {
    const double tolerance =
        1e-9 * std::max(1.0, std::max(maths::fabs(s.low), maths::fabs(s.high)));
    if (value >= s.low - tolerance && value <= s.high + tolerance) return true;
  }
  return false;
}

ConditionReading ReadCondition(std::string_view text) {
  ConditionReading r;
  const std::optional<NameAndValues> parts = SplitNameAndValues(text);
  if (!parts) {
    r.error =
        "A condition is NAME=VALUES, as in CHK=42 or D=0..5; '" + std::string(text) + "' is not.";
    return r;
  }
  Condition c;
  c.written = std::string(text);
  c.name = parts->name;
  const std::string_view values = parts->values;
  std::string error;
  size_t start = 0;
  for (;;) {
    const size_t comma = values.find(',', start);
    const std::string_view item = values.substr(start, comma - start);
    const size_t dots = item.find("..");
    if (dots != std::string_view::npos && item.find('/') == std::string_view::npos) {
      if (error = TooManyDots(item); !error.empty()) break;
      const std::optional<double> low = ReadNumber(item.substr(0, dots), &error);
      const std::optional<double> high =
          low ? ReadNumber(item.substr(dots + 2), &error) : std::nullopt;
      if (!low || !high) break;
      if (*high < *low) {
        error = "the range '" + std::string(Trim(item)) + "' is empty: it counts up from the " +
                "first number to the second.";
        break;
      }
      c.spans.push_back({*low, *high});
    } else {
      const std::optional<std::vector<double>> v = ReadValues(item, &error);
      if (!v) break;
      for (double x : *v) c.spans.push_back({x, x});
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (!error.empty()) {
    r.error = "In '" + std::string(text) + "': " + error;
    return r;
  }
  r.condition = std::move(c);
  return r;
}

std::optional<double> ReadDistance(std::string_view text, std::string* error) {
  const std::string_view t = Trim(text);
  size_t end = 0;
  while (end < t.size() && (IsAsciiDigit(t[end]) || t[end] == '.')) ++end;
  double number = 0.0;
  const std::from_chars_result r = std::from_chars(t.data(), t.data() + end, number);
  std::string unit(Trim(t.substr(end)));
  for (char& c : unit) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  // The units by their symbols and their names, as people write them.
  struct Unit {
    const char* name;
    double metres;
  };
  static constexpr Unit kUnits[] = {
      {"m", 1.0},
      {"metre", 1.0},
      {"metres", 1.0},
      {"meter", 1.0},
      {"meters", 1.0},
      {"km", 1000.0},
      {"kilometre", 1000.0},
      {"kilometres", 1000.0},
      {"kilometer", 1000.0},
      {"kilometers", 1000.0},
      // the international mile and foot
      {"mi", 1609.344},
      {"mile", 1609.344},
      {"miles", 1609.344},
      {"ft", 0.3048},
      {"foot", 0.3048},
      {"feet", 0.3048},
  };
  double metres_per_unit = 0.0;
  for (const Unit& u : kUnits) {
    if (unit == u.name) metres_per_unit = u.metres;
  }
  if (end == 0 || r.ec != std::errc() || r.ptr != t.data() + end || metres_per_unit == 0.0 ||
      !maths::isfinite(number)) {
    *error = "'" + std::string(text) +
             "' is no distance: write a number and its unit, as in 3.2km, 2mi or 500m.";
    return std::nullopt;
  }
  return number * metres_per_unit;
}

std::string DistanceText(double metres) {
  char text[48];
  if (metres < 0 || !maths::isfinite(metres)) return "?";
  if (metres < 1000.0) {
    std::snprintf(text, sizeof text, "%.0f m", metres);
  } else {
    std::snprintf(text, sizeof text, "%.2f km", metres / 1000.0);
  }
  return text;
}

double DistanceFrom(const GeoPoint& reference, double lat, double lon) {
  return DistVincenty(kWgs84Vincenty, reference.lat, reference.lon, lat, lon);
}

}  // namespace orbelin
