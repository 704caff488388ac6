// The mathematical functions, in radians: base/maths.h, the same bits in
// the native program and the page.
#include "base/maths.h"
#include "interp/bindings.h"

namespace orbelin {

#define ORBELIN_MATH1(Name, fn)              \
  double Name(Runtime&, const CallArgs& a) { \
    return maths::fn(a.num[0]);              \
  }
#define ORBELIN_MATH2(Name, fn)              \
  double Name(Runtime&, const CallArgs& a) { \
    return maths::fn(a.num[0], a.num[1]);    \
  }

ORBELIN_MATH1(FnCos, cos)
ORBELIN_MATH1(FnAcos, acos)
ORBELIN_MATH1(FnSin, sin)
ORBELIN_MATH1(FnAsin, asin)
ORBELIN_MATH1(FnTan, tan)
ORBELIN_MATH1(FnTanh, tanh)
ORBELIN_MATH1(FnAtan, atan)
ORBELIN_MATH2(FnAtan2, atan2)
ORBELIN_MATH1(FnCeil, ceil)
ORBELIN_MATH1(FnExp, exp)
ORBELIN_MATH1(FnFabs, fabs)
ORBELIN_MATH1(FnFloor, floor)
ORBELIN_MATH2(FnFmod, fmod)
ORBELIN_MATH2(FnPow, pow)
ORBELIN_MATH1(FnSqrt, sqrt)

#undef ORBELIN_MATH1
#undef ORBELIN_MATH2

// The first byte as a signed 8-bit number: ä (0xE4) is -28, '' gives 0.
double FnOrd(Runtime&, const CallArgs& a) {
  return static_cast<double>(static_cast<signed char>(a.str[0].text[0]));
}

}  // namespace orbelin
