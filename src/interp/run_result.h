// What one run of a script produced, as a value the front ends show in their
// own way: the window in its results box, the command line on the terminal,
// the web page in the page.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interp/diagnostics.h"
#include "interp/hand_off_point.h"
#include "interp/token.h"

namespace orbelin {

// What a run says beside its errors, never in its files: a library call
// that took its input otherwise than the user likely meant, an answer that
// may lie far off or is missing for a reason worth telling.
struct RunNote {
  enum class Kind { kWarning, kNote };
  Kind kind = Kind::kWarning;
  SourceLocation at;    // the keyword of the statement or the call, or the name
  std::string message;  // Windows-1252, as it may quote the script
  std::string hint;     // what to write instead; "" where the message says it all
};

struct RunResult {
  // The bytes of the results file: what the statements wrote, then one line
  // per diagnostic. Windows-1252.
  std::string results;
  // How much of `results` the statements wrote (the rest is the error lines).
  size_t output_size = 0;
  // The bytes of the listing: the numbered lines with every diagnostic marked
  // under its line. Windows-1252.
  std::string listing;
  // The diagnostics in the order they were reported.
  std::vector<ErrorRecord> errors;
  // The warnings and notes of the library calls, in the order they were
  // made.
  std::vector<RunNote> notes;
  // The hand-off point after the run (it may have been set by an earlier one).
  HandOffPoint point;
  // Whether this run's own OLAT or OLON statements set it.
  bool point_set = false;
  // Where the statements stopped when text was left that none of them could
  // read (reported as error 0 unless an error just before hid it), and the
  // token before that place.
  bool stopped_early = false;
  SourceLocation stop;
  Token stop_before;

  // What the scan met that the language cuts without a word: numbers, names
  // and texts longer than it keeps, a comment never closed, a NUL byte that
  // ends the text early (npos when there is none). Found during the run's
  // one scan, as far as the statements read.
  std::vector<Token> cut_tokens;
  std::optional<SourceLocation> unclosed_comment;
  size_t nul_position = std::string::npos;

  bool clean() const { return errors.empty(); }
  // Whether the run has anything to say beside its results.
  bool quiet() const {
    return errors.empty() && notes.empty() && cut_tokens.empty() && !unclosed_comment &&
           nul_position == std::string::npos && !stopped_early;
  }
  // What the statements wrote, without the error lines.
  std::string_view output() const { return std::string_view(results).substr(0, output_size); }
};

}  // namespace orbelin
