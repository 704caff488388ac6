// What one run of a script produced, as a value the front ends show in their
// own way: the window in its results box, the command line on the terminal,
// the web page in the page.
#pragma once

#include <string>
#include <vector>

#include "interp/diagnostics.h"
#include "interp/hand_off_point.h"

namespace orbelin {

struct RunResult {
  // The bytes of the results file: what the statements wrote, then one line
  // per diagnostic. Windows-1252.
  std::string results;
  // The bytes of the listing: the numbered lines with every diagnostic marked
  // under its line. Windows-1252.
  std::string listing;
  // The diagnostics in the order they were reported.
  std::vector<ErrorRecord> errors;
  // The hand-off point after the run (it may have been set by an earlier one).
  HandOffPoint point;

  bool clean() const { return errors.empty(); }
};

}  // namespace orbelin
