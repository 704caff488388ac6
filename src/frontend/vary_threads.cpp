#include "frontend/vary_threads.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace orbelin {

namespace {

// Combinations a worker takes at a time: enough that taking them costs
// nothing, few enough that a stop is heard at once.
constexpr uint64_t kSlice = 256;

}  // namespace

VaryOutcome RunVaryOnThreads(const VaryPlan& plan, const VaryControl& control) {
  const auto start = std::chrono::steady_clock::now();
  const uint64_t total = plan.combinations();
  std::atomic<uint64_t> next{0};
  std::atomic<uint64_t> done{0};
  std::atomic<bool> halt{false};
  std::mutex mutex;
  std::condition_variable finished;
  int running = control.workers;

  std::vector<std::unique_ptr<VaryCollector>> collectors;
  std::vector<std::thread> threads;
  for (int w = 0; w < control.workers; ++w) {
    collectors.push_back(std::make_unique<VaryCollector>(plan));
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
      if (!control.progress) continue;
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      lock.unlock();
      if (!control.progress({done.load(), total, seconds})) halt = true;
      lock.lock();
    }
  }
  for (std::thread& t : threads) t.join();

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

}  // namespace orbelin
