#include "frontend/vary_runner.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <utility>

#include "frontend/point.h"
#include "frontend/vary_threads.h"
#include "interp/session.h"

namespace orbelin {

namespace {

constexpr size_t kFirstLineBytes = 200;

// Unknown distances go last.
double DistanceKey(const KeptRun& run) {
  return run.distance < 0 ? std::numeric_limits<double>::infinity() : run.distance;
}

}  // namespace

void VaryCounts::Add(const VaryCounts& o) {
  tried += o.tried;
  kept += o.kept;
  with_errors += o.with_errors;
  off_earth += o.off_earth;
  without_point += o.without_point;
  failed_where += o.failed_where;
  too_far += o.too_far;
  distance_unknown += o.distance_unknown;
}

VaryCollector::VaryCollector(const VaryPlan& plan) : plan_(plan) {
  for (const ValueSet& s : plan.sets()) start_.push_back({s.name, 0.0});
}

bool VaryCollector::Before(const KeptRun& a, const KeptRun& b) const {
  if (plan_.filter().near) {
    const double da = DistanceKey(a), db = DistanceKey(b);
    if (da != db) return da < db;
  }
  return a.combination < b.combination;
}

void VaryCollector::Run(uint64_t combination) {
  plan_.Values(combination, &values_);
  for (size_t i = 0; i < values_.size(); ++i) start_[i].value = values_[i];
  // A new session for every combination: nothing of the one before is left.
  Session session;
  const RunResult r = session.Run(plan_.source(), {.start_values = start_, .listing = false});
  ++counts_.tried;
  if (!r.clean()) {
    ++counts_.with_errors;
    return;
  }
  if (r.point.set && !PointRefusal(r.point).empty()) {
    ++counts_.off_earth;
    return;
  }
  const Variables& vars = session.variables();
  const VaryFilter& filter = plan_.filter();
  for (const Condition& c : filter.where) {
    const int v = vars.Find(c.name);
    if (v < 0 || !c.Holds(vars.Get(v))) {
      ++counts_.failed_where;
      return;
    }
  }
  KeptRun run;
  run.combination = combination;
  if (filter.near) {
    if (!r.point.set) {
      ++counts_.without_point;
      return;
    }
    run.distance = DistanceFrom(*filter.near, r.point.lat, r.point.lon);
    if (filter.within && run.distance < 0) {
      ++counts_.distance_unknown;
      return;
    }
    if (filter.within && run.distance > *filter.within) {
      ++counts_.too_far;
      return;
    }
  }
  ++counts_.kept;
  if (trimmed_ && !Before(run, last_held_)) return;  // counted, but never listed
  run.has_point = r.point.set;
  run.lat = r.point.lat;
  run.lon = r.point.lon;
  for (const std::string& name : plan_.show()) {
    const int v = vars.Find(name);
    run.shown.push_back(v < 0 ? std::numeric_limits<double>::quiet_NaN() : vars.Get(v));
  }
  const std::string_view output = r.output();
  run.first_line = std::string(output.substr(0, std::min(output.find('\n'), kFirstLineBytes)));
  Keep(std::move(run));
}

void VaryCollector::Keep(KeptRun run) {
  kept_.push_back(std::move(run));
  if (kept_.size() >= 2 * kMaxListed) Trim();
}

// Lets go of all but the first kMaxListed in the order.
void VaryCollector::Trim() {
  std::sort(kept_.begin(), kept_.end(),
            [this](const KeptRun& a, const KeptRun& b) { return Before(a, b); });
  if (kept_.size() > kMaxListed) {
    kept_.resize(kMaxListed);
    trimmed_ = true;
    last_held_ = kept_.back();
  }
}

void VaryCollector::Absorb(VaryCollector&& other) {
  counts_.Add(other.counts_);
  for (KeptRun& run : other.kept_) {
    if (!trimmed_ || Before(run, last_held_)) Keep(std::move(run));
  }
  other.kept_.clear();
}

std::vector<KeptRun> VaryCollector::TakeKept() {
  Trim();
  return std::move(kept_);
}

double VaryProgress::SecondsLeft() const {
  if (done == 0 || seconds < 0.5 || done > total) return -1.0;
  return seconds * static_cast<double>(total - done) / static_cast<double>(done);
}

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// All combinations on the calling thread.
VaryOutcome RunHere(const VaryPlan& plan, const VaryControl& control) {
  const auto start = std::chrono::steady_clock::now();
  VaryOutcome out;
  out.combinations = plan.combinations();
  VaryCollector collector(plan);
  double last_report = 0.0;
  for (uint64_t c = 0; c < out.combinations; ++c) {
    if (control.stop != nullptr && control.stop->load(std::memory_order_relaxed)) {
      out.stopped = true;
      break;
    }
    collector.Run(c);
    if ((c & 255) == 255 && control.progress) {
      const double now = SecondsSince(start);
      if (now - last_report >= 0.1) {
        last_report = now;
        if (!control.progress({c + 1, out.combinations, now})) {
          out.stopped = c + 1 < out.combinations;
          break;
        }
      }
    }
  }
  out.counts = collector.counts();
  out.kept = collector.TakeKept();
  out.seconds = SecondsSince(start);
  if (control.progress) control.progress({out.counts.tried, out.combinations, out.seconds});
  return out;
}

}  // namespace

VaryOutcome RunVary(const VaryPlan& plan, const VaryControl& control) {
#ifndef __EMSCRIPTEN__
  if (control.workers > 1 && plan.combinations() > 1) return RunVaryOnThreads(plan, control);
#endif
  return RunHere(plan, control);
}

CalcView CalcCombination(const VaryPlan& plan, uint64_t combination) {
  std::vector<double> values;
  plan.Values(combination, &values);
  std::vector<StartValue> start;
  for (size_t i = 0; i < values.size(); ++i) start.push_back({plan.sets()[i].name, values[i]});
  Session session;
  CalcView view;
  view.source = plan.source();
  view.run = session.Run(view.source, {.start_values = start});
  return view;
}

}  // namespace orbelin
