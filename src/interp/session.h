// A session: everything that lives as long as the program, and the run.
//
// The variable values, MARGIN, the error distance, the cipher keys, the
// Enigma machine and the hand-off point belong to one Session; a press of
// Calc is one RunScript call on it. Two sessions never share anything.
#pragma once

#include <memory>
#include <string>

#include "interp/diagnostics.h"
#include "interp/library_call.h"
#include "interp/result_stream.h"
#include "interp/variables.h"

namespace orbelin {

// The results and listing paths derived from a script path.
struct DerivedNames {
  std::string results;
  std::string listing;
};

// What a run needs from the program around it (the window, or the command
// line standing in for it).
class RunHost {
 public:
  virtual ~RunHost() = default;
  // Writes the script box into the script file before it is read.
  virtual void SaveScript() = 0;
  // The results and listing paths for the current script.
  virtual DerivedNames BuildFileNames() = 0;
  virtual void ClearResults() = 0;
  // The results box takes the results file, or the listing.
  virtual void ShowResults() = 0;
  virtual void ShowListing() = 0;
  // Puts the script box's caret on a 0-based line and column.
  virtual void PlaceCaret(int line, int column) = 0;
  // A message box with the caption "Error" and the error icon.
  virtual void ShowError(const std::string& text) = 0;
};

enum class SourceEncoding {
  kCp1252,  // the bytes are taken as they are (what the window saves)
  kAuto,    // valid UTF-8 with non-ASCII bytes is converted to Windows-1252
  kUtf8,    // always read as UTF-8 and converted
};

struct RunOutcome {
  bool ran = false;     // false when the script or results file could not be opened
  int error_count = 0;  // diagnostics recorded by the run
  SourceLocation last_error;
};

class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // One complete run of the script file: results file, listing, and the
  // host's results box. Script errors never stop it.
  RunOutcome RunScript(const std::string& script_path, RunHost& host,
                       SourceEncoding encoding = SourceEncoding::kCp1252);

  // Runs source text with results collected in memory instead of files:
  // what RunScript writes into the results file, error lines included. For
  // tests and tools; state carries over exactly as in RunScript.
  std::string RunText(std::string source, int* error_count = nullptr);

  const HandOffPoint& hand_off_point() const { return point_; }
  int margin() const { return out_.margin(); }
  const Variables& variables() const { return vars_; }
  const std::vector<ErrorRecord>& last_errors() const { return diagnostics_.records(); }

 private:
  void Evaluate(const std::string& source);

  ResultStream out_;
  Variables vars_;
  Diagnostics diagnostics_;
  HandOffPoint point_;
  std::unique_ptr<TextState> text_;
};

}  // namespace orbelin
