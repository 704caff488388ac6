// How the command line speaks on the terminal: results as UTF-8 (or the raw
// bytes), and diagnostics the way compilers print them, in a form editors
// and make understand:
//
//   walk.inp:4:12: error: ";" expected (E6)
//       4 | A = 2 + 3
//         |            ^
//   hint: every statement ends with ';': one is missing at the end of line 3
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/diagnostic.h"

namespace orbelin::cli {

enum class Bytes {
  kUtf8,    // Windows-1252 is converted to UTF-8 for the terminal
  kCp1252,  // the raw Windows-1252 bytes, as the files hold them
};

// Colour only on a terminal, and never when NO_COLOR is set or TERM is dumb.
bool UseColour(std::FILE* stream);

// Windows-1252 text as the terminal wants it.
std::string ForTerminal(std::string_view cp1252, Bytes bytes);

// The diagnostics of one script: `name` is how the script is called in them
// (its path as given, or "<stdin>", "<command line>"); `source` is the text
// that ran, for the line under each message.
void Report(std::FILE* stream, const std::string& name, std::string_view source,
            const std::vector<Explanation>& diagnostics, Bytes bytes, bool colour);

}  // namespace orbelin::cli
