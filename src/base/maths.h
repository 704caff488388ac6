// The maths functions of the engine, and the only door to them: the native
// program and the WebAssembly page compute every result with the same code,
// so a script writes the same bits in both.
//
// The functions that round an approximation (sin, atan2, exp, pow, ...)
// are musl's, compiled from base/libm/ into both builds with the same
// settings: no fused multiply-add, no fast-math, every operation rounded to
// double on its own. sin, cos, tan, asin, acos and atan are within one unit
// in the last place, exp, log and pow within 0.52 (correctly rounded but for
// rare cases), atan2 and the hyperbolic functions within two
// (tests/base/maths_accuracy_test.py checks it against exact values).
// Outside their domains they give what C's functions give (NaN,
// infinities). The exact operations (sqrt, fabs, floor, fmin, the tests for
// NaN, ...) have one right answer under IEEE 754 and are the compiler's.
//
// Nothing else includes <cmath> or <math.h>: tools/check-layers refuses it.
#pragma once

#include <climits>

extern "C" {
double orbelin_acos(double x) noexcept;
double orbelin_asin(double x) noexcept;
double orbelin_asinh(double x) noexcept;
double orbelin_atan(double x) noexcept;
double orbelin_atan2(double y, double x) noexcept;
double orbelin_atanh(double x) noexcept;
double orbelin_cbrt(double x) noexcept;
double orbelin_cos(double x) noexcept;
double orbelin_cosh(double x) noexcept;
double orbelin_exp(double x) noexcept;
double orbelin_expm1(double x) noexcept;
double orbelin_fmod(double x, double y) noexcept;
double orbelin_hypot(double x, double y) noexcept;
double orbelin_log(double x) noexcept;
double orbelin_log10(double x) noexcept;
double orbelin_log1p(double x) noexcept;
double orbelin_pow(double x, double y) noexcept;
double orbelin_remainder(double x, double y) noexcept;
double orbelin_scalbn(double x, int n) noexcept;
double orbelin_sin(double x) noexcept;
double orbelin_sinh(double x) noexcept;
double orbelin_tan(double x) noexcept;
double orbelin_tanh(double x) noexcept;
}

namespace orbelin::maths {

// Angles in radians.
inline double sin(double x) {
  return orbelin_sin(x);
}
inline double cos(double x) {
  return orbelin_cos(x);
}
inline double tan(double x) {
  return orbelin_tan(x);
}
inline double asin(double x) {
  return orbelin_asin(x);
}
inline double acos(double x) {
  return orbelin_acos(x);
}
inline double atan(double x) {
  return orbelin_atan(x);
}
inline double atan2(double y, double x) {
  return orbelin_atan2(y, x);
}

inline double sinh(double x) {
  return orbelin_sinh(x);
}
inline double cosh(double x) {
  return orbelin_cosh(x);
}
inline double tanh(double x) {
  return orbelin_tanh(x);
}
inline double asinh(double x) {
  return orbelin_asinh(x);
}
inline double atanh(double x) {
  return orbelin_atanh(x);
}

inline double exp(double x) {
  return orbelin_exp(x);
}
inline double expm1(double x) {
  return orbelin_expm1(x);
}
inline double log(double x) {
  return orbelin_log(x);
}
inline double log1p(double x) {
  return orbelin_log1p(x);
}
inline double log10(double x) {
  return orbelin_log10(x);
}
inline double pow(double x, double y) {
  return orbelin_pow(x, y);
}
inline double cbrt(double x) {
  return orbelin_cbrt(x);
}
inline double hypot(double x, double y) {
  return orbelin_hypot(x, y);
}

// Exact: the remainder of x / y with the sign of x, and x times 2^n.
inline double fmod(double x, double y) {
  return orbelin_fmod(x, y);
}
// Exact: x - n y, n the whole number nearest x / y (halves to the even
// one), so within [-|y|/2, |y|/2]; remainder(lon, 360) puts a longitude
// into [-180, 180].
inline double remainder(double x, double y) {
  return orbelin_remainder(x, y);
}
inline double scalbn(double x, int n) {
  return orbelin_scalbn(x, n);
}

// Correctly rounded or exact by IEEE 754 on every target.
inline double sqrt(double x) {
  return __builtin_sqrt(x);
}
inline double fabs(double x) {
  return __builtin_fabs(x);
}
inline double floor(double x) {
  return __builtin_floor(x);
}
inline double ceil(double x) {
  return __builtin_ceil(x);
}
inline double trunc(double x) {
  return __builtin_trunc(x);
}
inline double round(double x) {
  return __builtin_round(x);
}  // halves away from zero
inline double copysign(double x, double y) {
  return __builtin_copysign(x, y);
}  // x with the sign of y

inline bool isnan(double x) {
  return __builtin_isnan(x);
}
inline bool isinf(double x) {
  return __builtin_isinf(x);
}
inline bool isfinite(double x) {
  return __builtin_isfinite(x);
}
inline bool signbit(double x) {
  return __builtin_signbit(x);
}

// The smaller and the larger; a NaN gives the other one. C leaves the sign
// of a zero between -0 and +0 to the library (glibc's fmax(+0, -0) is -0,
// musl's +0): here min takes -0 and max +0, in every build.
inline double fmin(double x, double y) {
  if (isnan(x)) return y;
  if (isnan(y)) return x;
  if (signbit(x) != signbit(y)) return signbit(x) ? x : y;
  return x < y ? x : y;
}
inline double fmax(double x, double y) {
  if (isnan(x)) return y;
  if (isnan(y)) return x;
  if (signbit(x) != signbit(y)) return signbit(x) ? y : x;
  return x < y ? y : x;
}

// Rounded to the nearest whole number, halves away from zero. Outside the
// type's range and for NaN C leaves the value open; here it is the lowest
// value, as the x86 conversion gives it, and never undefined behaviour.
inline long long llround(double x) {
  const double r = round(x);
  return r >= -0x1p63 && r < 0x1p63 ? static_cast<long long>(r) : LLONG_MIN;
}
inline long lround(double x) {
  const double r = round(x);
  constexpr double kLow = static_cast<double>(LONG_MIN);
  return r >= kLow && r < -kLow ? static_cast<long>(r) : LONG_MIN;
}

}  // namespace orbelin::maths
