#include "frontend/vary/form.h"

#include <algorithm>
#include <cctype>

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

// Script names are the same in any case.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  for (const std::string& n : names) {
    if (SameName(n, name)) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> FormVariables(std::string_view source, std::string_view final_pattern) {
  std::vector<std::string> names = DeclaredVariables(source);
  const std::string pattern = Utf8ToCp1252(final_pattern);
  for (std::string& letter : FinalLetters(pattern)) {
    if (!Contains(names, letter)) names.push_back(Cp1252ToUtf8(letter));
  }
  return names;
}

VaryPlanning PlanVaryForm(const VaryForm& form) {
  VaryPlanning planning;
  std::vector<std::string>& errors = planning.errors;
  VaryRequest request;
  request.source = form.source;
  for (const auto& [name, values] : form.values) {
    const std::string typed = Trimmed(values);
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
  request.show = Pieces(form.show, ", \t");
  if (const std::string final = Trimmed(form.final_pattern); !final.empty()) {
    request.final_pattern = Utf8ToCp1252(final);
    // The script file's closing NUL would end the text before the
    // statements that read the final.
    while (!request.source.empty() && request.source.back() == '\0') request.source.pop_back();
    // A letter the script does not compute needs values, in its field.
    const std::vector<std::string> declared = DeclaredVariables(request.source);
    for (const std::string& letter : FinalLetters(request.final_pattern)) {
      if (Contains(declared, letter)) continue;
      bool given = false;
      for (const ValueSet& set : request.sets) given = given || SameName(set.name, letter);
      if (!given) {
        errors.push_back("Final as written: " + Cp1252ToUtf8(letter) +
                         " is given no values: fill in its field, as 0..9.");
      }
    }
  }
  if (const std::string sum = Trimmed(form.digit_sum); !sum.empty()) {
    const bool digits = sum.size() <= 4 && std::all_of(sum.begin(), sum.end(),
                                                       [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
      errors.push_back("Digit sum: '" + sum +
                       "' is no sum of digits: write the number the final's digits add up to, "
                       "as 41.");
    } else if (request.final_pattern.empty()) {
      errors.push_back("Digit sum needs the final whose digits it adds: fill in Final as written.");
    } else {
      request.digit_sum = std::stoi(sum);
    }
  }
  if (!errors.empty()) return planning;
  if (request.sets.empty()) {
    errors.push_back("Give values to at least one variable, as in 0..9.");
    return planning;
  }
  return PlanVary(std::move(request));
}

VaryListing ListVaryOutcome(const VaryPlan& plan, const VaryOutcome& outcome) {
  VaryListing listing;
  const std::vector<VaryPoint> points = MergePoints(outcome.kept);
  for (const VaryPoint& p : points) {
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
    listing.points.push_back(std::move(item));
  }
  listing.summary = VarySummary(plan, outcome, points.size());
  listing.gpx = VaryGpx(plan, points);
  return listing;
}

}  // namespace orbelin
