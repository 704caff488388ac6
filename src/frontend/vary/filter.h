// Which runs of a value search are kept: conditions on variables after the
// run (--where CHK=42, --where D=0..5) and a circle around a reference point
// (--near ... --within 3.2km), measured with DISTVINCENTY's geodesic.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/geo_point_text.h"

namespace orbelin {

// A variable's value after the run must equal one of the numbers or lie in
// one of the ranges (both ends included). Equal means within a billionth of
// the number, so 0.1 + 0.2 equals 0.3; a range with a step ("0..90/5")
// stands for its values.
struct Condition {
  std::string name;     // folded as the script's names are
  std::string written;  // the whole condition as the user wrote it
  struct Span {
    double low, high;
  };
  std::vector<Span> spans;

  bool Holds(double value) const;
};

struct ConditionReading {
  std::optional<Condition> condition;
  std::string error;
};

// Reads "NAME=VALUES": numbers, continuous ranges "LOW..HIGH", stepped
// ranges, separated by commas.
ConditionReading ReadCondition(std::string_view text);

// "3.2km", "2mi", "500 m": metres, or nothing with the reason in *error.
std::optional<double> ReadDistance(std::string_view text, std::string* error);

// "850 m", "3.21 km": a distance as the table shows it.
std::string DistanceText(double metres);

struct VaryFilter {
  std::vector<Condition> where;
  std::optional<GeoPoint> near;  // the reference; runs are sorted by their distance to it
  std::optional<double> within;  // metres; only with `near`
};

// The geodesic distance in metres from the reference to a point, or -1 when
// the iteration finds none (nearly antipodal points).
double DistanceFrom(const GeoPoint& reference, double lat, double lon);

}  // namespace orbelin
