// What the command line says of itself: the one usage text that every
// argument error shows, the whole help of --help, and the help of
// `orbelin vary --help`.
#pragma once

#include <string>

namespace orbelin::cli {

extern const char kUsage[];
extern const char kHelp[];
extern const char kVaryHelp[];

// "orbelin: COMPLAINT", the usage text and where to read more, on standard
// error; returns the exit status of wrong arguments.
int UsageError(const std::string& complaint);

}  // namespace orbelin::cli
