// Conversions from double to int that are defined for every double.
//
// Scripts can put any value where the language wants a whole number
// (DEBUG = 1e300, CHAR(NaN), a zone of -inf). The plain C conversion is
// undefined outside the int range, so every such place goes through one of
// these: NaN becomes 0 and values beyond the range saturate, while values
// inside the range convert exactly as the C conversion would.
#pragma once

#include <climits>
#include <cstdint>

#include "base/maths.h"

namespace orbelin {

// Whether a whole number lies in the int range, so that casting it is exact.
inline bool FitsInt(double whole) {
  return whole >= -2147483648.0 && whole <= 2147483647.0;
}

// Truncation toward zero, saturating at INT_MIN and INT_MAX; NaN gives 0.
inline int TruncToInt(double x) {
  if (maths::isnan(x)) return 0;
  if (x >= 2147483647.0) return INT_MAX;
  if (x <= -2147483648.0) return INT_MIN;
  return static_cast<int>(x);
}

// floor, then TruncToInt.
inline int FloorToInt(double x) {
  return TruncToInt(maths::floor(x));
}

// The low eight bits of the whole part of x, as a byte 0..255: what "%c"
// writes for (int)x. Outside the int range the low bits of the exact whole
// number are taken, so the rule stays modular; NaN and infinities give 0.
inline unsigned char LowByte(double x) {
  if (!maths::isfinite(x)) return 0;
  double t = maths::trunc(x);
  if (t >= -2147483648.0 && t <= 2147483647.0) {
    return static_cast<unsigned char>(static_cast<int>(t) & 0xFF);
  }
  double r = maths::fmod(t, 256.0);  // exact for whole numbers
  if (r < 0) r += 256.0;
  return static_cast<unsigned char>(static_cast<int>(r));
}

}  // namespace orbelin
