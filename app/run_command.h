// `orbelin run`: scripts from files, standard input or the command line, run
// one after another in one session, as presses of Calc in the window.
#pragma once

#include <string>
#include <vector>

namespace orbelin::cli {

// Exit statuses of the command line.
inline constexpr int kExitClean = 0;         // every script ran without errors
inline constexpr int kExitScriptErrors = 1;  // a script had errors
inline constexpr int kExitTrouble = 2;       // a file or an argument stopped a run

class StandardOutput;

// The arguments after "run"; the results are written to `out`. Returns the
// exit status.
int RunCommand(const std::vector<std::string>& args, StandardOutput& out);

}  // namespace orbelin::cli
