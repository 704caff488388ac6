#include "frontend/vary/form.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "frontend/point.h"
#include "frontend/vary/gpx.h"
#include "frontend/vary/output.h"

namespace orbelin {

namespace {

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

// Splits at any of `separators`, leaving out empty pieces.
std::vector<std::string> Pieces(std::string_view text, std::string_view separators) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find_first_of(separators, start);
    if (std::string piece = Trimmed(text.substr(start, end - start)); !piece.empty()) {
      pieces.push_back(std::move(piece));
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return pieces;
}

}  // namespace

VaryPlanning PlanVaryForm(const VaryForm& form) {
  VaryPlanning planning;
  std::vector<std::string>& errors = planning.errors;
  VaryRequest request;
  request.source = form.source;
  request.final_pattern = Trimmed(form.final_pattern);
  // The pattern's statements go after the script, and a script ends at its
  // first NUL byte (the one a saved script ends with, too): they go before.
  if (!request.final_pattern.empty())
    request.source = request.source.substr(0, request.source.find('\0'));
  std::set<std::string> digits;  // the pattern's letters the script leaves to it
  if (!request.final_pattern.empty()) {
    const std::vector<std::string> declared = DeclaredVariables(form.source);
    for (const std::string& name : FinalLetters(request.final_pattern)) {
      if (std::find(declared.begin(), declared.end(), name) == declared.end()) digits.insert(name);
    }
  }
  for (const auto& [name, values] : form.values) {
    std::string typed = Trimmed(values);
    if (typed.empty() && digits.contains(VariableName(name))) typed = "0..9";
    if (typed.empty()) continue;
    ValueSetReading r = ReadValueSet(name + "=" + typed);
    if (r.set) {
      request.sets.push_back(std::move(*r.set));
    } else {
      errors.push_back(r.error);
    }
  }
  for (const std::string& written : Pieces(form.where, ";\n")) {
    ConditionReading r = ReadCondition(written);
    if (r.condition) {
      request.filter.where.push_back(std::move(*r.condition));
    } else {
      errors.push_back("Keep only: " + r.error);
    }
  }
  if (const std::string near = Trimmed(form.near); !near.empty()) {
    GeoPointReading r = ReadGeoPoint(near);
    if (r.point) {
      request.filter.near = r.point;
    } else {
      errors.push_back("Near: " + r.error);
    }
  }
  if (const std::string within = Trimmed(form.within); !within.empty()) {
    std::string error;
    request.filter.within = ReadDistance(within, &error);
    if (!request.filter.within) {
      errors.push_back("Within: " + error);
    } else if (Trimmed(form.near).empty()) {
      errors.push_back("Within needs a point to measure from: fill in Near.");
    }
  }
  if (const std::string sum = Trimmed(form.digit_sum); !sum.empty()) {
    int value = 0;
    const auto [end, ec] = std::from_chars(sum.data(), sum.data() + sum.size(), value);
    if (ec != std::errc() || end != sum.data() + sum.size() || value < 0 || value > 999) {
      errors.push_back("Digit sum: '" + sum +
                       "' is no whole number of digits added up; write one, as 41.");
    } else if (request.final_pattern.empty()) {
      errors.push_back("Digit sum: it counts the digits of the final as written: fill in Final.");
    } else {
      request.digit_sum = value;
    }
  }
  request.show = Pieces(form.show, ", \t");
  if (!errors.empty()) return planning;
  if (request.sets.empty()) {
    errors.push_back("Give values to at least one variable, as in 0..9.");
    return planning;
  }
  return PlanVary(std::move(request));
}

namespace {

VaryListedPoint Listed(const VaryPlan& plan, const VaryPoint& p) {
  VaryListedPoint item;
  item.values = ValuesText(plan, p, 3);
  item.has_point = p.has_point;
  item.lat = p.lat;
  item.lon = p.lon;
  if (p.has_point) item.position = CoordinateText(p.lat, p.lon);
  if (plan.filter().near) item.distance = DistanceText(p.distance);
  for (size_t i = 0; i < p.shown.size() && i < plan.show().size(); ++i) {
    if (i > 0) item.shown += ' ';
    item.shown += plan.show()[i] + "=" + ShortNumber(p.shown[i]);
  }
  item.first_line = p.first_line;
  return item;
}

}  // namespace

VaryListing ListVaryOutcome(const VaryPlan& plan, const VaryOutcome& outcome,
                            std::string_view name) {
  VaryListing listing;
  const std::vector<VaryPoint> points = MergePoints(outcome.kept);
  for (const VaryPoint& p : points) listing.points.push_back(Listed(plan, p));
  listing.summary = VarySummary(plan, outcome, points.size());
  listing.gpx = VaryGpx(plan, points, name);
  return listing;
}

VaryListedPoint ListFoundPoint(const VaryPlan& plan, const KeptRun& run) {
  return Listed(plan, MergePoints({run}).front());
}

}  // namespace orbelin
