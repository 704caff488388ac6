// What a routine writes into a result stream, for the trace tests.
#pragma once

#include <limits>
#include <string>

#include "interp/result_stream.h"

namespace orbelin {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Runs f with a memory stream and returns what it traced.
template <typename F>
std::string Traced(F f) {
  ResultStream out;
  out.OpenMemory();
  f(&out);
  return out.Close();
}

}  // namespace orbelin
