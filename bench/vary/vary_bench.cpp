// Combinations per second of the value search, on the final of
// examples/formula_final.inp with unknown digits (formula_final_unknown.inp):
// three unknown digits (1,000 combinations) and six (1,000,000), on one core
// and on all of them; the whole `orbelin vary` command; and the user's way
// without it, a shell loop that writes the script with each combination's
// values and runs `orbelin run` on it.
//
//   ORBELIN_PROGRAM=path/to/orbelin   times another build of the program
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "frontend/script_bytes.h"
#include "frontend/vary/plan.h"
#include "frontend/vary/runner.h"

namespace {

namespace fs = std::filesystem;

constexpr char kScript[] = ORBELIN_SOURCE_DIR "/bench/vary/formula_final_unknown.inp";

std::string Program() {
  const char* chosen = std::getenv("ORBELIN_PROGRAM");
  return chosen != nullptr && chosen[0] != '\0' ? chosen : ORBELIN_PROGRAM;
}

std::string ReadScript() {
  std::string bytes;
  if (std::FILE* f = std::fopen(kScript, "rb")) {
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
  }
  return orbelin::DecodeScript(bytes, orbelin::SourceEncoding::kAuto);
}

// The cache page's checks: the digit sum, and two miles from the posted
// coordinates. Three unknown digits leave X, Y and Z as the formula gives
// them (4, 8, 9).
orbelin::VaryPlan Plan(int digits) {
  const char* six[] = {"P=0..9", "Q=0..9", "R=0..9", "X=0..9", "Y=0..9", "Z=0..9"};
  const char* three[] = {"P=0..9", "Q=0..9", "R=0..9", "X=4", "Y=8", "Z=9"};
  std::vector<orbelin::ValueSet> sets;
  for (const char* set : digits == 6 ? six : three) {
    sets.push_back(*orbelin::ReadValueSet(set).set);
  }
  orbelin::VaryFilter filter;
  filter.where.push_back(*orbelin::ReadCondition("CHK=50").condition);
  filter.near = orbelin::GeoPoint{50.1, 8.68};
  filter.within = 3218.688;
  orbelin::VaryPlanning planning = orbelin::PlanVary({ReadScript(), sets, {"CHK"}, filter, {}, {}});
  if (!planning.plan) std::fprintf(stderr, "vary_bench: %s\n", planning.errors.front().c_str());
  return std::move(*planning.plan);
}

int AllCores() {
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// Args: unknown digits, workers (0: all cores).
void BM_VaryCore(benchmark::State& state) {
  const orbelin::VaryPlan plan = Plan(static_cast<int>(state.range(0)));
  orbelin::VaryControl control;
  control.workers = state.range(1) == 0 ? AllCores() : static_cast<int>(state.range(1));
  uint64_t kept = 0;
  for (auto _ : state) {
    const orbelin::VaryOutcome out = orbelin::RunVary(plan, control);
    kept = out.counts.kept;
    benchmark::DoNotOptimize(out.kept.data());
  }
  state.counters["workers"] = control.workers;
  state.counters["kept"] = static_cast<double>(kept);
  state.counters["combinations/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * plan.combinations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VaryCore)
    ->Args({3, 1})
    ->Args({3, 0})
    ->ArgNames({"digits", "workers"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_VaryCore)
    ->Args({6, 1})
    ->Args({6, 0})
    ->ArgNames({"digits", "workers"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int Shell(const std::string& command) {
  const int raw = std::system(command.c_str());
  return raw == -1 ? -1 : WEXITSTATUS(raw);
}

// The whole `orbelin vary` process for three unknown digits, on all cores.
void BM_VaryProcess(benchmark::State& state) {
  const std::string command = "'" + Program() + "' vary '" + kScript +
                              "' --set P=0..9 --set Q=0..9 --set R=0..9 --set X=4 --set Y=8 "
                              "--set Z=9 --where CHK=50 --near '50.1 8.68' --within 2mi "
                              ">/dev/null 2>&1";
  for (auto _ : state) {
    if (Shell(command) != 0) state.SkipWithError("orbelin vary failed");
  }
  state.counters["combinations/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * 1000), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VaryProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// A user's loop without `vary`: for each combination, the script with the
// values set after its VAR line, run by `orbelin run` (100 combinations of
// the 1,000 per iteration; the rate is what counts).
void BM_ShellLoopOfRuns(benchmark::State& state) {
  char folder[] = "/tmp/orbelin-vary-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) {
    state.SkipWithError("no scratch folder");
    return;
  }
  const std::string dir = folder;
  const std::string command = "cd '" + dir +
                              "' && for p in 0; do for q in 0 1 2 3 4 5 6 7 8 9; do "
                              "for r in 0 1 2 3 4 5 6 7 8 9; do "
                              "sed \"/^VAR/a P = $p; Q = $q; R = $r; X = 4; Y = 8; Z = 9;\" '" +
                              std::string(kScript) + "' > try.inp && '" + Program() +
                              "' run --no-files try.inp > /dev/null || exit 1; "
                              "done; done; done";
  for (auto _ : state) {
    if (Shell(command) != 0) state.SkipWithError("the loop failed");
  }
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  state.counters["combinations/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * 100), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ShellLoopOfRuns)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
