#include "frontend/vary/form.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "base/cp1252.h"
#include "frontend/point.h"
#include "frontend/vary/final.h"
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

// The final's letters that the script's VAR line does not declare: digits
// the final alone reads, folded as the script's names are.
std::set<std::string> FinalDigits(std::string_view source, const std::string& pattern) {
  std::set<std::string> declared;
  for (const std::string& name : DeclaredVariables(source)) declared.insert(VariableName(name));
  std::set<std::string> digits;
  for (const std::string& letter : FinalLetters(pattern)) {
    if (!declared.contains(VariableName(letter))) digits.insert(VariableName(letter));
  }
  return digits;
}

}  // namespace

std::vector<std::string> FormVariables(std::string_view source, std::string_view final_pattern) {
  std::vector<std::string> names = DeclaredVariables(source);
  std::set<std::string> offered;
  for (const std::string& name : names) offered.insert(VariableName(name));
  for (const std::string& letter : FinalLetters(Utf8ToCp1252(final_pattern))) {
    if (offered.insert(VariableName(letter)).second) names.push_back(Cp1252ToUtf8(letter));
  }
  return names;
}

VaryPlanning PlanVaryForm(const VaryForm& form) {
  VaryPlanning planning;
  std::vector<std::string>& errors = planning.errors;
  VaryRequest request;
  request.source = form.source;
  request.final_pattern = Utf8ToCp1252(Trimmed(form.final_pattern));
  // A letter of the final that the script leaves to it is a digit: its
  // field left empty (or not shown) tries 0..9, since untried it would only
  // be 0.
  std::set<std::string> digits;
  if (!request.final_pattern.empty()) digits = FinalDigits(form.source, request.final_pattern);
  std::set<std::string> untried = digits;
  auto try_values = [&](const std::string& name, const std::string& typed) {
    ValueSetReading r = ReadValueSet(name + "=" + typed);
    if (r.set) {
      request.sets.push_back(std::move(*r.set));
    } else {
      errors.push_back(r.error);
    }
  };
  for (const auto& [name, values] : form.values) {
    std::string typed = Trimmed(values);
    untried.erase(VariableName(name));
    if (typed.empty() && digits.contains(VariableName(name))) typed = "0..9";
    if (!typed.empty()) try_values(name, typed);
  }
  for (const std::string& letter : untried) try_values(letter, "0..9");
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
      errors.push_back(
          "Digit sum: it counts the digits of the final as written: fill in Final as written.");
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
