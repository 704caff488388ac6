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
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "frontend/calc.h"
#include "frontend/vary/plan.h"
#include "interp/compiled_script.h"
#include "interp/variables.h"

namespace orbelin {

// At most this many kept points are held and listed: the first ones, or the
// nearest with a reference point. Runs that give the same point (to the
// thousandth of a minute, as the coordinate text has it) are held as one,
// so a point reached by many runs takes one place. The counts cover all.
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
  // The other runs at the same point, in the order of their combinations:
  // this run, the first in the order, stands for them.
  std::vector<uint64_t> merged;
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

  // Runs one combination as in a new session.
  void Run(uint64_t combination);
  // Takes over what another collector of the same plan gathered.
  void Absorb(VaryCollector&& other);

  // Whether to note each new point as it is kept, for TakeFound. Off by
  // default: a search that shows its points only at the end pays nothing.
  void NoteFound(bool on) { note_found_ = on; }
  // The runs kept since the last call at points no earlier run of this
  // collector reached (and kept runs without a point), in the order found.
  std::vector<KeptRun> TakeFound() { return std::exchange(found_, {}); }

  const VaryCounts& counts() const { return counts_; }
  // Whether a run had an error that no value tried can change: every
  // combination has it, so trying more is of no use.
  bool fixed_error() const { return fixed_error_; }
  // The kept points in their order (by distance with a reference point,
  // else by combination), at most kMaxListed.
  std::vector<KeptRun> TakeKept();

 private:
  using PointKey = std::pair<long long, long long>;
  bool Before(const KeptRun& a, const KeptRun& b) const;
  // Where a run with a point already held is; nullptr for a new point.
  KeptRun* Held(const KeptRun& run);
  void Merge(KeptRun* held, KeptRun run);
  void Keep(KeptRun run);
  void Trim();

  const VaryPlan& plan_;
  // The script read once; every run starts as a new session would.
  CompiledScript script_;
  std::vector<double> values_;
  // The numbers of the --where variables, found once (-1 until the script
  // has declared the name): a name keeps its number from run to run.
  std::vector<int> where_vars_;
  VaryCounts counts_;
  bool fixed_error_ = false;
  std::vector<KeptRun> kept_;
  std::map<PointKey, size_t> held_;  // a held point's place in kept_
  // Once runs had to be let go, the last one held: no later run that comes
  // after it in the order needs to be held.
  bool trimmed_ = false;
  KeptRun last_held_;
  bool note_found_ = false;
  std::vector<KeptRun> found_;
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
  // Called on the calling thread for each point as it is first found, so
  // that a dialog can show it at once: right after its run with one worker,
  // with the next progress report with several. A point found twice on
  // different threads is told once. The points come in the order found;
  // the outcome's list, in its own order and cut at kMaxListed, is what
  // the search ends with (a point told early may be left out of it).
  std::function<void(const KeptRun&)> found;
};

struct VaryOutcome {
  uint64_t combinations = 0;  // all there were
  VaryCounts counts;          // of those tried
  std::vector<KeptRun> kept;  // the points in order, at most kMaxListed
  bool stopped = false;       // ended before every combination was tried
  // Stopped at an error that every combination has (see
  // VaryCollector::fixed_error).
  bool fixed_error = false;
  double seconds = 0.0;
};

VaryOutcome RunVary(const VaryPlan& plan, const VaryControl& control);

// One combination as Calc shows it, diagnostics and listing included: for
// the warnings of a script, or a kept run the user picks.
CalcView CalcCombination(const VaryPlan& plan, uint64_t combination);

}  // namespace orbelin
