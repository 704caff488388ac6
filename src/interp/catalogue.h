// The catalogue of library statements, output items and numeric functions:
// keyword -> argument kinds -> handler, one row each.
//
// Argument kinds, one letter per argument in script order:
//   N  numeric expression        -> CallArgs::num
//   S  string literal            -> CallArgs::str
//   V  output variable (a name)  -> CallArgs::var
//   :  optional ": number" after the preceding argument, into the next num
//      slot; the row's default_number when absent (ROT13's shift)
// A bare row takes no argument list at all: the keyword alone.
#pragma once

#include "interp/library_call.h"

namespace orbelin {

struct LibraryRow {
  int terminal;
  const char* kinds;
  StatementHandler handler;  // writes or stores itself
  bool bare = false;
  bool first_item_only = false;  // output items not allowed after a comma
  double default_number = 0.0;
};

struct FunctionRow {
  int terminal;
  const char* kinds;
  FunctionHandler handler;
};

// The library statement of a terminal, or nullptr (31 to 47).
const LibraryRow* FindStatement(int terminal);
// The library output item of a terminal, or nullptr (9, 12 to 24).
const LibraryRow* FindItem(int terminal);
// The numeric function of a terminal, or nullptr (59 to 96).
const FunctionRow* FindFunction(int terminal);

}  // namespace orbelin
