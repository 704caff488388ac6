// What the plane constructions give when there is nothing to construct.
#pragma once

#include <limits>

#include "base/maths.h"

namespace orbelin {

// The value of every output of a construction that has no answer.
inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// A determinant that admits no construction: zero, or NaN from NaN input.
inline bool IsDegenerate(double determinant) {
  return determinant == 0 || maths::isnan(determinant);
}

}  // namespace orbelin
