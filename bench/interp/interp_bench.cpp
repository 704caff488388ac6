// Whole runs of a generated script of about 1 MB: reading the file,
// scanning, parsing, evaluation, the results file and the listing, as Calc
// does them.
// Reports the script text processed per second.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

#include "frontend/script_file_calc.h"
#include "frontend/script_names.h"
#include "interp/session.h"

namespace {

constexpr int kNames = 900;

// Tens of thousands of statements over 900 declared names: assignments,
// arithmetic, function calls, output items, comments.
std::string GenerateScript(size_t target_bytes) {
  std::mt19937 rng(12345);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto name = [&] { return "Value" + std::to_string(pick(kNames)); };

  std::string s = "-- generated benchmark script\r\nVAR ";
  for (int i = 0; i < kNames; ++i) {
    s += (i ? ", Value" : "Value") + std::to_string(i);
    if (i % 12 == 11) s += "\r\n  ";
  }
  s += ";\r\n";
  while (s.size() < target_bytes) {
    switch (pick(8)) {
      case 0:
        s += name() + " = " + name() + " * 2.5 + SIN(" + name() + ") - 1.25 / (" + name() +
             " + 1);\r\n";
        break;
      case 1:
        s += "WRITE 'value ', " + name() + ":3, ' ', SQRT(FABS(" + name() + "));\r\n";
        break;
      case 2:
        s += name() + " = FMOD(" + name() + " + 17, 360) ^ 2 | 2;\r\n";
        break;
      case 3:
        s += name() + " = (" + name() + " + " + std::to_string(pick(1000)) + ") / 7 - PI;\r\n";
        break;
      case 4:
        s += "-> " + name() + ":2, ' deg ', ATAN2(" + name() + ", 3) * 180 / PI:4;\r\n";
        break;
      case 5:
        s += name() + " = \xB0N 48 12.345 + COS(" + name() + ") * " + name() + ";\r\n";
        break;
      case 6:
        s += "(* a comment between statements *) " + name() + " = " + name() + " - 1;\r\n";
        break;
      default:
        s += "WRITE 'The quick brown fox jumps over the lazy dog', CHAR(33);\r\n";
        break;
    }
  }
  return s;
}

void BM_WholeRun(benchmark::State& state) {
  const std::string script = GenerateScript(static_cast<size_t>(state.range(0)));
  char folder[] = "/tmp/orbelin-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string stem = std::string(folder) + "/bench";
  std::FILE* f = std::fopen((stem + ".inp").c_str(), "wb");
  std::fwrite(script.data(), 1, script.size(), f);
  std::fclose(f);

  orbelin::Session session;
  const orbelin::ScriptFileNames names = orbelin::BuildFileNames(stem + ".inp");
  for (auto _ : state) {
    const orbelin::FileCalc calc =
        orbelin::CalcScriptFile(session, names, orbelin::SourceEncoding::kCp1252);
    if (!calc.ran() || calc.view.has_errors()) {
      state.SkipWithError("the generated script has errors");
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(script.size()));
  for (const char* ext : {".inp", ".res", ".lst"}) std::remove((stem + ext).c_str());
  rmdir(folder);
}
BENCHMARK(BM_WholeRun)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
