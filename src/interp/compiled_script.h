// A script read once and run again and again, each run as in a new session
// with some of its variables starting at given values: what a value search
// needs, millions of runs of one text.
//
// The text is scanned and parsed once, into a tape of the steps a run takes
// (tape.h); a run plays the tape in a session set back to how a new one
// starts. The bytes of each run are those a new Session's Run with the same
// start values gives. A text with errors of its grammar is not compiled:
// every run then reads the text again in a new session (and every run has
// those errors). Nor is one warned of while it is read (a pasted
// coordinate's slip), as such a warning stands among the run's own notes.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "interp/run_result.h"
#include "interp/session.h"
#include "interp/tape.h"

namespace orbelin {

class FinalPatternMemo;

class CompiledScript {
 public:
  // `tried`: the names (folded as the scanner folds them) that start every
  // run at the values Run is given, in that order.
  CompiledScript(std::string source, std::vector<std::string> tried);
  ~CompiledScript();
  CompiledScript(const CompiledScript&) = delete;
  CompiledScript& operator=(const CompiledScript&) = delete;

  // Whether the text was compiled; false when its grammar has errors or
  // reading it gave a warning.
  bool compiled() const { return compiled_; }

  // One run with the tried variables starting at `values`. The result and
  // variables() stay valid until the next run. Without `text` the run
  // writes nothing (the results, the output and the listing are empty)
  // and leaves out the items that only write: everything else, errors and
  // warnings included, is as with the text, for much less work.
  const RunResult& Run(std::span<const double> values, bool listing = false, bool text = true);

  // The variables after the last run (before the first: the names).
  const Variables& variables() const;
  // Whether the last run had an error that no value can change: an error
  // of the grammar, or one of a library call whose inputs the values never
  // reach. Every run has such an error. A text not compiled for a warning
  // tells only the first kind, of which it has none.
  bool fixed_error() const { return fixed_error_; }

 private:
  void Play(std::span<const double> values, bool text);

  std::string source_;
  std::vector<std::string> tried_;
  std::vector<StartValue> start_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<FinalPatternMemo> finals_;
  Tape tape_;
  bool compiled_ = false;
  bool grammar_error_ = false;
  bool fixed_error_ = false;
  bool played_ = false;  // the fixed values are in their slots
  RunResult result_;
  // What the one scan found, the same for every run.
  std::vector<Token> cut_tokens_;
  std::optional<SourceLocation> unclosed_comment_;
  size_t nul_position_ = std::string::npos;
  std::vector<RunNote> notes_;
};

}  // namespace orbelin
