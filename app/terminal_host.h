// The command line's stand-in for the window during a run: the results box
// is standard output, message boxes go to standard error.
#pragma once

#include <string>

#include "interp/session.h"
#include "shell/file_names.h"

namespace orbelin {

enum class TerminalEncoding {
  kUtf8,    // results are converted from Windows-1252 for the terminal
  kCp1252,  // results are printed as the raw bytes of the files
};

class TerminalHost : public RunHost {
 public:
  TerminalHost(const ScriptFileNames& names, TerminalEncoding encoding)
      : names_(names), encoding_(encoding) {}

  void SaveScript() override {}  // the script file is the script
  DerivedNames BuildFileNames() override { return {names_.results, names_.listing}; }
  void ClearResults() override {}
  void ShowResults() override { Show(names_.results); }
  void ShowListing() override { Show(names_.listing); }
  void PlaceCaret(int, int) override {}
  void ShowError(const std::string& text) override;

 private:
  void Show(const std::string& path);

  ScriptFileNames names_;
  TerminalEncoding encoding_;
};

}  // namespace orbelin
