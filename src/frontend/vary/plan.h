// A value search checked against its script: which variables get which
// values, what is read after each run, and which runs are kept. Every front
// end builds one here, so the same mistakes get the same words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/vary/filter.h"
#include "frontend/vary/final.h"
#include "frontend/vary/value_sets.h"

namespace orbelin {

struct VaryRequest {
  std::string source;             // the script, Windows-1252, as Calc runs it
  std::vector<ValueSet> sets;     // the variables to try, the first changing slowest
  std::vector<std::string> show;  // variables to read after each run, as written
  VaryFilter filter;
  // A formula final as the cache page writes it, "N 48° 1A.BCD E 011°
  // 3E.FGH" (Windows-1252; final.h): when not empty, each combination runs
  // the script (which may then be empty) and then the pattern, whose point
  // is the run's point. Its letters are variables the sets may name, declared
  // for the search when the script does not declare them.
  // (The two below have initialisers so that a request written as a brace
  // list of the four fields above stays clean of warnings.)
  std::string final_pattern = {};
  // Keeps the runs whose final, as the pattern writes it, has this digit
  // sum; needs a final pattern.
  std::optional<int> digit_sum = {};
};

struct VaryPlanning;

class VaryPlan {
 public:
  // The text each combination runs: the script, and with a final pattern
  // the statements that read it (FINAL2GPS) and set the point.
  const std::string& source() const { return source_; }
  const std::vector<ValueSet>& sets() const { return sets_; }
  const std::vector<std::string>& show() const { return show_; }  // folded names
  const VaryFilter& filter() const { return filter_; }
  uint64_t combinations() const { return combinations_; }

  // The values of combination `index` (0 <= index < combinations()), one per
  // set: the last set changes fastest, as in nested loops.
  void Values(uint64_t index, std::vector<double>* values) const;

 private:
  friend VaryPlanning PlanVary(VaryRequest request);
  std::string source_;
  std::vector<ValueSet> sets_;
  std::vector<std::string> show_;
  VaryFilter filter_;
  uint64_t combinations_ = 0;
};

struct VaryPlanning {
  std::optional<VaryPlan> plan;
  std::vector<std::string> errors;  // sentences, one per mistake, when there is no plan
};

// Checks the request: every variable named is one the script declares (or
// GM1 to GM3, or one the final pattern uses), none is given values twice, and there are at most
// kMaxCombinations combinations, counted before anything runs.
VaryPlanning PlanVary(VaryRequest request);

// The names of the script's VAR line, in their order (what a dialog offers
// to try).
std::vector<std::string> DeclaredVariables(std::string_view source);

}  // namespace orbelin
