// The value search from its command line to its files: the NAME=VALUES
// readers of --set and --where, the readers of --near and --within, the
// plan, a small search, and the table, CSV, GPX and summary it makes. No
// input may crash or read out of bounds, and no CSV cell that is not a
// number may start as a spreadsheet formula does.
//
// The input is lines: the first is the script, each further line an
// option, its first byte saying which: s (--set), w (--where), n (--near),
// d (--within), h (--show), f (--final), q (--digit-sum).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/geo_point_text.h"
#include "frontend/vary/filter.h"
#include "frontend/vary/final.h"
#include "frontend/vary/gpx.h"
#include "frontend/vary/output.h"
#include "frontend/vary/plan.h"
#include "frontend/vary/runner.h"
#include "frontend/vary/value_sets.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

// The cells of a CSV text (RFC 4180), line by line.
std::vector<std::string> Cells(std::string_view csv) {
  std::vector<std::string> cells;
  std::string cell;
  bool quoted = false, in_cell = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (quoted) {
      if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
    } else if (c == '"' && !in_cell) {
      quoted = in_cell = true;
    } else if (c == ',' || c == '\n') {
      cells.push_back(cell);
      cell.clear();
      in_cell = false;
    } else if (c != '\r' || i + 1 >= csv.size() || csv[i + 1] != '\n') {
      cell += c;
      in_cell = true;
    }
  }
  return cells;
}

bool IsNumber(const std::string& cell) {
  if (cell.empty()) return true;
  char* end = nullptr;
  std::strtod(cell.c_str(), &end);
  return end == cell.c_str() + cell.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> lines;
  for (size_t end; (end = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(end + 1)) {
    lines.push_back(rest.substr(0, end));
  }
  lines.push_back(rest);

  orbelin::VaryRequest request;
  request.source = std::string(lines[0]);
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const std::string_view value = lines[i].substr(1);
    std::string error;
    switch (lines[i][0]) {
      case 's':
        if (orbelin::ValueSetReading r = orbelin::ReadValueSet(value); r.set) {
          request.sets.push_back(std::move(*r.set));
        } else {
          Check(!r.error.empty());
        }
        break;
      case 'w':
        if (orbelin::ConditionReading r = orbelin::ReadCondition(value); r.condition) {
          request.filter.where.push_back(std::move(*r.condition));
        } else {
          Check(!r.error.empty());
        }
        break;
      case 'n':
        request.filter.near = orbelin::ReadGeoPoint(value).point;
        break;
      case 'd':
        request.filter.within = orbelin::ReadDistance(value, &error);
        Check(request.filter.within.has_value() == error.empty());
        break;
      case 'h':
        request.show.emplace_back(value);
        break;
      case 'f':
        request.final_pattern = std::string(value);
        orbelin::FinalLetters(value);
        break;
      case 'q':
        request.digit_sum = static_cast<int>(value.size());
        break;
      default:
        break;
    }
  }
  const orbelin::VaryPlanning planning = orbelin::PlanVary(std::move(request));
  if (!planning.plan) {
    Check(!planning.errors.empty());
    return 0;
  }
  const orbelin::VaryPlan& plan = *planning.plan;
  // A small search: each combination runs the script once.
  if (plan.combinations() > 24) return 0;
  orbelin::VaryControl control;
  const orbelin::VaryOutcome outcome = orbelin::RunVary(plan, control);
  // Every combination is tried, unless an error no value changes stopped
  // the search: then at least the run that showed it was, and it failed.
  if (outcome.fixed_error) {
    Check(outcome.counts.tried >= 1 && outcome.counts.with_errors >= 1 &&
          outcome.counts.tried <= plan.combinations());
  } else {
    Check(outcome.counts.tried == plan.combinations());
  }
  const std::vector<orbelin::VaryPoint> points = orbelin::MergePoints(outcome.kept);
  orbelin::VaryTable(plan, points);
  orbelin::VaryGpx(plan, points);
  orbelin::VarySummary(plan, outcome, points.size());
  for (const std::string& cell : Cells(orbelin::VaryCsv(plan, points))) {
    Check(IsNumber(cell) || std::string_view("=+-@\t\r").find(cell[0]) == std::string_view::npos);
  }
  return 0;
}
