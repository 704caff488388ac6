// What a routine writes into a result stream, for the trace tests.
#pragma once

#include <limits>
#include <string>

#include "base/text_sink.h"

namespace orbelin {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Runs f with a memory stream and returns what it traced.
template <typename F>
std::string Traced(F f) {
  StringSink out;
  f(&out);
  return out.Take();
}

}  // namespace orbelin
