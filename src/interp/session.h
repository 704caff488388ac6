// A session: everything that lives as long as the program, and the run.
//
// The variable values, MARGIN, the error distance, the cipher keys, the
// Enigma machine and the hand-off point belong to one Session; a press of
// Calc is one Run on it. Two sessions never share anything.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "base/result_stream.h"
#include "interp/diagnostics.h"
#include "interp/hand_off_point.h"
#include "interp/run_result.h"
#include "interp/variables.h"

namespace orbelin {

struct TextState;

// How a run differs from a press of Calc: variables that start at given
// values, and no listing for a run whose text nobody shows.
struct RunOptions {
  std::span<const StartValue> start_values;
  bool listing = true;
};

class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Scans, parses and evaluates the Windows-1252 text in one pass. Errors
  // never stop a run. Names, diagnostics and DEBUG start afresh; values,
  // MARGIN, the error distance and the library state carry over.
  RunResult Run(std::string_view source, const RunOptions& options = {});

  const HandOffPoint& hand_off_point() const { return point_; }
  // For a front end that outlives its session (a web page reloaded, an
  // engine restarted after Cancel): the point the user had goes on.
  void RestoreHandOffPoint(const HandOffPoint& point) { point_ = point; }
  int margin() const { return out_.margin(); }
  const Variables& variables() const { return vars_; }

 private:
  friend class CompiledScript;  // plays its runs on a session's state

  ResultStream out_;
  Variables vars_;
  Diagnostics diagnostics_;
  HandOffPoint point_;
  std::unique_ptr<TextState> text_;
};

}  // namespace orbelin
