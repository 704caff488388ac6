// A run's diagnostics as the front ends explain them: where each error
// stands, its message and what to change (hints.h), the warnings about what
// the language cuts without a word (an unclosed comment, a number, text or
// name longer than the language keeps) and the library calls' own warnings
// and notes.
//
// The results file and the listing keep the system's own messages; this is
// what the front ends show beside them.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/lost_characters.h"
#include "interp/run_result.h"

namespace orbelin {

struct Explanation {
  enum class Kind { kError, kWarning, kNote };
  Kind kind = Kind::kError;
  int line = 0;    // from 1, as the diagnostics count
  int column = 0;  // from 1, tabs expanded as the diagnostics count
  int number = 0;  // the error number; 0 for a warning or a note
  // The error's message with " (En)", as the results file writes it, or the
  // warning. Windows-1252, as the script text.
  std::string message;
  // What to change, in English; empty where the message says it all.
  // Windows-1252 (it may quote the script).
  std::string hint;
};

// The errors of a run, the warnings about its text and the warnings and
// notes of its library calls, in the order of their places in the text.
// When the run stopped early without saying so (an error just before hid
// error 0), a warning says where.
// `lost`: the characters of the text that became '?' when it was made
// from UTF-8.
std::vector<Explanation> Explain(std::string_view source, const RunResult& result,
                                 std::span<const LostCharacter> lost = {});

}  // namespace orbelin
