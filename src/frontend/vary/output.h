// What a value search shows: the kept runs with identical points merged, as
// a table for the terminal and a CSV file, and the counts of what was tried
// and dropped (the GPX file is gpx.h). All text here is UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/vary/plan.h"
#include "frontend/vary/runner.h"

namespace orbelin {

// One kept point, or one kept run that set no point.
struct VaryPoint {
  // The runs that gave this point, in the order they were kept; the first
  // one's variables and first line stand for all.
  std::vector<uint64_t> combinations;
  bool has_point = false;
  double lat = 0.0, lon = 0.0;
  double distance = -1.0;     // metres from the reference, -1 without one
  std::vector<double> shown;  // the plan's show() variables
  std::string first_line;     // UTF-8
};

// Merges runs whose points are the same to the thousandth of a minute (the
// coordinate text a GPS takes), keeping the order of the kept runs.
std::vector<VaryPoint> MergePoints(const std::vector<KeptRun>& kept);

// The values of a point's runs: "A=1 B=3", or for a merged point
// "A=1 B=3, A=6 B=3", runs that go on one by one in one variable as a range
// "A=1 B=0..7" (with "and N more" runs after `most` such items).
std::string ValuesText(const VaryPlan& plan, const VaryPoint& point, size_t most);

// A variable's value after a run, as the table shows it: ten digits.
std::string ShortNumber(double value);

// A table with a header line: values, point, distance (with a reference),
// the shown variables and the first line each run wrote (when any wrote
// one).
std::string VaryTable(const VaryPlan& plan, const std::vector<VaryPoint>& points);

// What was tried and what became of it, one sentence per line:
//   "1,000 combinations tried in 0.01 s: 12 runs kept, at 9 points."
//   "Dropped: 950 failed a condition, 30 beyond 3.2 km, 8 had errors."
std::string VarySummary(const VaryPlan& plan, const VaryOutcome& outcome, size_t points);

// A CSV file (RFC 4180, UTF-8): a column per variable tried, the point
// (latitude, longitude, the geocaching form), the distance in metres, the
// shown variables, the first line, and the other value sets of a merged
// point. A text that starts like a spreadsheet formula (=, +, -, @, tab,
// CR) is written after an apostrophe, so that no spreadsheet runs it;
// numbers are written as they are.
std::string VaryCsv(const VaryPlan& plan, const std::vector<VaryPoint>& points);

}  // namespace orbelin
