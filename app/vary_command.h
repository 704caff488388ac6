// `orbelin vary`: one script run for every combination of values of some of
// its variables, with filters, a table, CSV and GPX.
#pragma once

#include <string>
#include <vector>

namespace orbelin::cli {

// Exit status of a search that Ctrl+C stopped (128 + SIGINT, as shells say).
inline constexpr int kExitInterrupted = 130;

// The arguments after "vary". Returns the exit status: 0 when the search
// ran (whatever it kept), 1 when every combination tried had errors, 2 for
// wrong arguments or a file that could not be read or written, 130 when
// Ctrl+C stopped it (after listing what was found so far).
class StandardOutput;
int VaryCommand(const std::vector<std::string>& args, StandardOutput& out);

}  // namespace orbelin::cli
