// The catalogue of library calls: for every keyword that takes arguments its
// argument kinds and the binding that runs it, derived from the rows of
// terminal_table.h. It is the one place that lists the libraries.
#pragma once

#include <cstddef>

#include "interp/library_call.h"

namespace orbelin {

// A binding: a statement or output item writes or stores itself, a function
// gives its value.
struct Binding {
  enum class Kind { kNone, kStatement, kFunction };
  Kind kind = Kind::kNone;
  StatementHandler statement = nullptr;
  FunctionHandler function = nullptr;

  constexpr Binding(std::nullptr_t) {}
  constexpr Binding(StatementHandler h) : kind(Kind::kStatement), statement(h) {}
  constexpr Binding(FunctionHandler h) : kind(Kind::kFunction), function(h) {}
};

struct CallForm {
  const char* kinds;  // see terminal_table.h; "" for no arguments
  Binding binding;
};

// The call form of terminal t; kinds "" and no binding for the terminals
// that are no library call.
const CallForm& CallFormOf(int t);

}  // namespace orbelin
