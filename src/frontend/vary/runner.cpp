#include "frontend/vary/runner.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <utility>

#ifndef __EMSCRIPTEN__
#include <condition_variable>
#include <iterator>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#endif

#include "base/maths.h"
#include "frontend/point.h"
#include "interp/session.h"

namespace orbelin {

namespace {

constexpr size_t kFirstLineBytes = 200;

// Thousandths of a minute, as the coordinate text rounds them: runs whose
// points have the same key are one point.
std::pair<long long, long long> PointKeyOf(const KeptRun& run) {
  return {maths::llround(run.lat * 60000.0), maths::llround(run.lon * 60000.0)};
}

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

namespace {

std::vector<std::string> TriedNames(const VaryPlan& plan) {
  std::vector<std::string> names;
  for (const ValueSet& s : plan.sets()) names.push_back(s.name);
  return names;
}

}  // namespace

VaryCollector::VaryCollector(const VaryPlan& plan)
    : plan_(plan),
      script_(plan.source(), TriedNames(plan)),
      where_vars_(plan.filter().where.size(), -1) {}

bool VaryCollector::Before(const KeptRun& a, const KeptRun& b) const {
  if (plan_.filter().near) {
    const double da = DistanceKey(a), db = DistanceKey(b);
    if (da != db) return da < db;
  }
  return a.combination < b.combination;
}

void VaryCollector::Run(uint64_t combination) {
  plan_.Values(combination, &values_);
  // As in a new session: nothing of the run before is left. What the run
  // writes is read for the runs listed only.
  const RunResult& r = script_.Run(values_, false, false);
  ++counts_.tried;
  if (!r.clean()) {
    ++counts_.with_errors;
    if (script_.fixed_error()) fixed_error_ = true;
    return;
  }
  if (r.point.set && !PlaceOnEarth(r.point.lat, r.point.lon)) {
    ++counts_.off_earth;
    return;
  }
  const Variables& vars = script_.variables();
  const VaryFilter& filter = plan_.filter();
  for (size_t i = 0; i < filter.where.size(); ++i) {
    const Condition& c = filter.where[i];
    int& v = where_vars_[i];
    if (v < 0) v = vars.Find(c.name);
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
  run.has_point = r.point.set;
  run.lat = r.point.lat;
  run.lon = r.point.lon;
  KeptRun* held = Held(run);
  if (held != nullptr && !Before(run, *held)) {  // one more run at a point held
    held->merged.push_back(combination);
    return;
  }
  if (held == nullptr && trimmed_ && !Before(run, last_held_)) return;  // never listed
  for (const std::string& name : plan_.show()) {
    const int v = vars.Find(name);
    run.shown.push_back(v < 0 ? std::numeric_limits<double>::quiet_NaN() : vars.Get(v));
  }
  const std::string_view output = script_.Run(values_).output();
  run.first_line = std::string(output.substr(0, std::min(output.find('\n'), kFirstLineBytes)));
  if (held != nullptr) {
    Merge(held, std::move(run));
  } else {
    Keep(std::move(run));
  }
}

KeptRun* VaryCollector::Held(const KeptRun& run) {
  if (!run.has_point) return nullptr;
  const auto at = held_.find(PointKeyOf(run));
  return at == held_.end() ? nullptr : &kept_[at->second];
}

// Two holdings of one point become one, the first of them in the order
// standing for both.
void VaryCollector::Merge(KeptRun* held, KeptRun run) {
  if (Before(run, *held)) std::swap(*held, run);
  held->merged.push_back(run.combination);
  held->merged.insert(held->merged.end(), run.merged.begin(), run.merged.end());
}

void VaryCollector::Keep(KeptRun run) {
  if (note_found_) found_.push_back(run);
  if (run.has_point) held_.emplace(PointKeyOf(run), kept_.size());
  kept_.push_back(std::move(run));
  if (kept_.size() >= 2 * kMaxListed) Trim();
}

// Lets go of all but the first kMaxListed points in the order.
void VaryCollector::Trim() {
  std::sort(kept_.begin(), kept_.end(),
            [this](const KeptRun& a, const KeptRun& b) { return Before(a, b); });
  if (kept_.size() > kMaxListed) {
    kept_.resize(kMaxListed);
    trimmed_ = true;
    last_held_ = kept_.back();
  }
  held_.clear();
  for (size_t i = 0; i < kept_.size(); ++i) {
    if (kept_[i].has_point) held_.emplace(PointKeyOf(kept_[i]), i);
  }
}

void VaryCollector::Absorb(VaryCollector&& other) {
  counts_.Add(other.counts_);
  fixed_error_ = fixed_error_ || other.fixed_error_;
  const bool noting = std::exchange(note_found_, false);  // told by the other
  for (KeptRun& run : other.kept_) {
    if (KeptRun* held = Held(run)) {
      Merge(held, std::move(run));
    } else if (!trimmed_ || Before(run, last_held_)) {
      Keep(std::move(run));
    }
  }
  note_found_ = noting;
  other.kept_.clear();
  other.held_.clear();
}

std::vector<KeptRun> VaryCollector::TakeKept() {
  Trim();
  for (KeptRun& run : kept_) std::sort(run.merged.begin(), run.merged.end());
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
  collector.NoteFound(static_cast<bool>(control.found));
  double last_report = 0.0;
  for (uint64_t c = 0; c < out.combinations; ++c) {
    if (control.stop != nullptr && control.stop->load(std::memory_order_relaxed)) {
      out.stopped = true;
      break;
    }
    collector.Run(c);
    if (control.found) {
      for (const KeptRun& run : collector.TakeFound()) control.found(run);
    }
    if (collector.fixed_error()) {
      out.stopped = c + 1 < out.combinations;
      break;
    }
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
  out.fixed_error = collector.fixed_error();
  out.kept = collector.TakeKept();
  out.seconds = SecondsSince(start);
  if (control.progress) control.progress({out.counts.tried, out.combinations, out.seconds});
  return out;
}

#ifndef __EMSCRIPTEN__
// The search on several threads: each worker takes slices of the
// combinations and runs them in a collector of its own; the calling thread
// reports progress and merges what they kept. The page has no threads.
// Combinations a worker takes at a time: enough that taking them costs
// nothing, few enough that a stop is heard at once.
constexpr uint64_t kSlice = 256;

VaryOutcome RunVaryOnThreads(const VaryPlan& plan, const VaryControl& control) {
  const auto start = std::chrono::steady_clock::now();
  const uint64_t total = plan.combinations();
  std::atomic<uint64_t> next{0};
  std::atomic<uint64_t> done{0};
  std::atomic<bool> halt{false};
  std::mutex mutex;
  std::condition_variable finished;
  int running = control.workers;
  // Points the workers found, waiting for the calling thread to tell them
  // (guarded by the mutex); the ones told, so that a point two workers
  // found is told once.
  std::vector<KeptRun> found;
  std::set<std::pair<long long, long long>> told;
  const auto tell = [&] {
    std::vector<KeptRun> runs;
    {
      std::lock_guard<std::mutex> lock(mutex);
      runs.swap(found);
    }
    for (const KeptRun& run : runs) {
      if (!run.has_point || told.insert(PointKeyOf(run)).second) control.found(run);
    }
  };

  std::vector<std::unique_ptr<VaryCollector>> collectors;
  std::vector<std::thread> threads;
  for (int w = 0; w < control.workers; ++w) {
    collectors.push_back(std::make_unique<VaryCollector>(plan));
    collectors.back()->NoteFound(static_cast<bool>(control.found));
    threads.emplace_back([&, collector = collectors.back().get()] {
      for (;;) {
        const uint64_t first = next.fetch_add(kSlice, std::memory_order_relaxed);
        if (first >= total) break;
        const uint64_t end = std::min(total, first + kSlice);
        uint64_t c = first;
        for (; c < end; ++c) {
          if (halt.load(std::memory_order_relaxed) ||
              (control.stop != nullptr && control.stop->load(std::memory_order_relaxed))) {
            break;
          }
          collector->Run(c);
          if (collector->fixed_error()) halt = true;
        }
        if (control.found) {
          std::vector<KeptRun> runs = collector->TakeFound();
          if (!runs.empty()) {
            std::lock_guard<std::mutex> lock(mutex);
            std::move(runs.begin(), runs.end(), std::back_inserter(found));
          }
        }
        done.fetch_add(c - first, std::memory_order_relaxed);
        if (c < end) break;
      }
      std::lock_guard<std::mutex> lock(mutex);
      if (--running == 0) finished.notify_all();
    });
  }

  // The calling thread reports progress until the workers are through.
  {
    std::unique_lock<std::mutex> lock(mutex);
    while (!finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return running == 0; })) {
      if (!control.progress && !control.found) continue;
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      lock.unlock();
      if (control.found) tell();
      if (control.progress && !control.progress({done.load(), total, seconds})) halt = true;
      lock.lock();
    }
  }
  for (std::thread& t : threads) t.join();
  if (control.found) tell();

  VaryCollector& all = *collectors.front();
  for (size_t w = 1; w < collectors.size(); ++w) all.Absorb(std::move(*collectors[w]));
  VaryOutcome out;
  out.combinations = total;
  out.counts = all.counts();
  out.fixed_error = all.fixed_error();
  out.kept = all.TakeKept();
  out.stopped = out.counts.tried < total;
  out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (control.progress) control.progress({out.counts.tried, total, out.seconds});
  return out;
}
#endif

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
