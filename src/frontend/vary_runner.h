// Runs a script once for every combination of values and keeps what the
// filters let through. Each combination runs in a session of its own, so no
// value, key, MARGIN or point of one run reaches the next; runs nobody shows
// make no listing and no explanations.
//
// RunVary works on the calling thread with one worker (the only way in
// WebAssembly), or on several threads, each with its own sessions. A front
// end that must stay responsive between pieces (the page's worker) can run
// slices of the combinations through a VaryCollector itself.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "frontend/calc.h"
#include "frontend/vary_plan.h"
#include "interp/variables.h"

namespace orbelin {

// At most this many kept runs are held and listed: the first ones, or the
// nearest with a reference point. The counts cover them all.
inline constexpr size_t kMaxListed = 10'000;

// What became of the runs tried.
struct VaryCounts {
  uint64_t tried = 0;
  uint64_t kept = 0;
  uint64_t with_errors = 0;    // dropped: the run had errors
  uint64_t off_earth = 0;      // dropped: the point set is no place on the Earth
  uint64_t without_point = 0;  // dropped: no point to measure from the reference
  uint64_t failed_where = 0;   // dropped by a condition on a variable
  uint64_t too_far = 0;        // dropped: beyond the distance from the reference
  // dropped with a distance to keep within: the geodesic to the point could
  // not be computed (nearly opposite the reference on the Earth)
  uint64_t distance_unknown = 0;

  void Add(const VaryCounts& other);
};

struct KeptRun {
  uint64_t combination = 0;
  bool has_point = false;
  double lat = 0.0, lon = 0.0;
  double distance = -1.0;     // metres from the reference; -1 without one (or none found)
  std::vector<double> shown;  // the plan's show() variables after the run
  std::string first_line;     // the first line the script wrote, Windows-1252
};

// Runs combinations and keeps what passes; one per thread.
class VaryCollector {
 public:
  explicit VaryCollector(const VaryPlan& plan);

  // Runs one combination in a new session.
  void Run(uint64_t combination);
  // Takes over what another collector of the same plan gathered.
  void Absorb(VaryCollector&& other);

  const VaryCounts& counts() const { return counts_; }
  // The kept runs in their order (by distance with a reference point, else
  // by combination), at most kMaxListed.
  std::vector<KeptRun> TakeKept();

 private:
  bool Before(const KeptRun& a, const KeptRun& b) const;
  void Keep(KeptRun run);
  void Trim();

  const VaryPlan& plan_;
  std::vector<StartValue> start_;
  std::vector<double> values_;
  VaryCounts counts_;
  std::vector<KeptRun> kept_;
  // Once runs had to be let go, the last one held: no later run that comes
  // after it in the order needs to be held.
  bool trimmed_ = false;
  KeptRun last_held_;
};

struct VaryProgress {
  uint64_t done = 0;
  uint64_t total = 0;
  double seconds = 0.0;  // since the start
  // An estimate of the seconds still to go; negative while there is too
  // little to go by.
  double SecondsLeft() const;
};

struct VaryControl {
  int workers = 1;  // threads; 1 runs on the calling thread
  // Called on the calling thread now and then (about ten times a second, and
  // once at the end); returning false stops the search.
  std::function<bool(const VaryProgress&)> progress;
  // Stops the search when it becomes true (set from a signal handler, say).
  const std::atomic<bool>* stop = nullptr;
};

struct VaryOutcome {
  uint64_t combinations = 0;  // all there were
  VaryCounts counts;          // of those tried
  std::vector<KeptRun> kept;  // in order, at most kMaxListed
  bool stopped = false;       // ended before every combination was tried
  double seconds = 0.0;
};

VaryOutcome RunVary(const VaryPlan& plan, const VaryControl& control);

// One combination as Calc shows it, diagnostics and listing included: for
// the warnings of a script, or a kept run the user picks.
CalcView CalcCombination(const VaryPlan& plan, uint64_t combination);

}  // namespace orbelin
