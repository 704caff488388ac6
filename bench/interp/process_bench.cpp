// Whole processes, as users run them: `orbelin run` from start to end on a
// generated 4 MB script (reading, running, both files, the terminal), beside
// Lua 5.4 running the same program when lua5.4 is installed; and a script
// with many errors, whose diagnostics must cost time in proportion to their
// number.
//
//   ORBELIN_PROGRAM=path/to/orbelin   times another build of the program
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "generated_program.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::string Program() {
  const char* chosen = std::getenv("ORBELIN_PROGRAM");
  return chosen != nullptr && chosen[0] != '\0' ? chosen : ORBELIN_PROGRAM;
}

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin";
  for (size_t start = 0; start <= dirs.size();) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string candidate = dirs.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return "";
}

// Runs the command with standard output and error thrown away; its status.
int Run(const std::vector<std::string>& args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A scratch folder with one file, removed at the end.
class Scratch {
 public:
  Scratch(const std::string& name, const std::string& text) {
    char pattern[] = "/tmp/orbelin-process-bench-XXXXXX";
    folder_ = mkdtemp(pattern) != nullptr ? pattern : "";
    std::ofstream(folder_ + "/" + name, std::ios::binary) << text;
    file_ = folder_ + "/" + name;
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  const std::string& folder() const { return folder_; }
  const std::string& file() const { return file_; }

 private:
  std::string folder_, file_;
};

constexpr size_t kProgramBytes = 4 << 20;

void BM_OrbelinRunProcess(benchmark::State& state) {
  const Scratch scratch("program.inp", orbelin::bench::GenerateProgram(
                                           kProgramBytes, orbelin::bench::Language::kOrbelin));
  const std::vector<std::string> args{Program(), "run", scratch.file()};
  for (auto _ : state) {
    if (Run(args) != 0) state.SkipWithError("the generated script did not run clean");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kProgramBytes));
}
BENCHMARK(BM_OrbelinRunProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Lua54Process(benchmark::State& state) {
  const std::string lua = FindOnPath("lua5.4");
  if (lua.empty()) {
    state.SkipWithError("lua5.4 is not installed (Debian: lua5.4)");
    return;
  }
  const Scratch scratch("program.lua", orbelin::bench::GenerateProgram(
                                           kProgramBytes, orbelin::bench::Language::kLua));
  const std::vector<std::string> args{lua, scratch.file()};
  for (auto _ : state) {
    if (Run(args) != 0) state.SkipWithError("the generated Lua program failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kProgramBytes));
}
BENCHMARK(BM_Lua54Process)->Unit(benchmark::kMillisecond)->UseRealTime();

// A script of `range` errors, two tokens apart so that each is recorded:
// every one gets its message, its source line, its caret and its hint.
void BM_OrbelinRunErrors(benchmark::State& state) {
  std::string script = "VAR A;\r\n";
  for (int64_t i = 0; i < state.range(0); ++i) script += "A = B; A = 1 +;\r\n";
  const Scratch scratch("errors.inp", script);
  const std::vector<std::string> args{Program(), "run", scratch.file()};
  for (auto _ : state) {
    if (Run(args) != 1) state.SkipWithError("the script did not end with errors");
  }
  state.counters["errors/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * state.range(0) * 2), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OrbelinRunErrors)->Arg(1000)->Arg(32000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
