// A value search checked against its script: which variables get which
// values, what is read after each run, and which runs are kept. Every front
// end builds one here, so the same mistakes get the same words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/vary/value_sets.h"
#include "frontend/vary/filter.h"

namespace orbelin {

struct VaryRequest {
  std::string source;             // the script, Windows-1252, as Calc runs it
  std::vector<ValueSet> sets;     // the variables to try, the first changing slowest
  std::vector<std::string> show;  // variables to read after each run, as written
  VaryFilter filter;
};

struct VaryPlanning;

class VaryPlan {
 public:
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
// GM1 to GM3), none is given values twice, and there are at most
// kMaxCombinations combinations, counted before anything runs.
VaryPlanning PlanVary(VaryRequest request);

// The names of the script's VAR line, in their order (what a dialog offers
// to try).
std::vector<std::string> DeclaredVariables(std::string_view source);

}  // namespace orbelin
