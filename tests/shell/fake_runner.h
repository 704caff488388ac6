// A ScriptRunner that plays a run's calls on its host the way the session
// does, with results and listing given by the test instead of computed.
#pragma once

#include <string>
#include <vector>

#include "shell/script_runner.h"
#include "test_files.h"

namespace orbelin::testing {

class FakeRunner : public ScriptRunner {
 public:
  std::vector<std::string> runs;  // the script paths, one per run
  std::string script_at_run;      // the script file's bytes when the run read it
  std::string results = "results\n";
  std::string listing = "Listing:\n";
  int error_line = 0, error_column = 0;  // 1-based; 0: no error
  HandOffPoint point;

  void RunScript(const std::string& script_path, RunHost& host) override {
    runs.push_back(script_path);
    host.SaveScript();
    script_at_run = ReadBytes(script_path);
    DerivedNames names = host.BuildFileNames();
    WriteBytes(names.results, results);
    host.ClearResults();
    WriteBytes(names.listing, listing);
    if (error_line > 0) {
      host.ShowListing();
      host.ShowError("Compilation errors\n");
      host.PlaceCaret(error_line - 1, error_column - 1);
    } else {
      host.ShowResults();
    }
  }
  HandOffPoint hand_off_point() const override { return point; }
};

}  // namespace orbelin::testing
