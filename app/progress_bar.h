// The line a long search draws on the terminal while it works:
//
//   [##########..........]  412,000 of 1,000,000  about 3 s left
//
// Drawn over itself with a carriage return, and only on a terminal.
#pragma once

#include <string>

#include "frontend/vary/runner.h"

namespace orbelin::cli {

// The line without its carriage return; `width` is the bar's.
std::string ProgressLine(const VaryProgress& progress, int width = 20);

// "about 3 s left", "about 2 min left", "about 1 h 5 min left", or "" while
// there is no estimate yet.
std::string TimeLeftText(double seconds);

}  // namespace orbelin::cli
