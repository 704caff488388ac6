// Variable names follow the notation key in geodesy/angles.h.
#include "geodesy/angles.h"

#include "base/maths.h"

namespace orbelin {

double AngleMod(double x, double y) {
  return x - maths::floor(x / y) * y;
}

double Wrap2Pi(double x) {
  return AngleMod(x, GeoPi * 2);
}

double WrapPi(double x) {
  return AngleMod(x + GeoPi, GeoPi * 2) - GeoPi;
}

double WrapHalfPi(double x) {
  return AngleMod(x + GeoPi / 2, GeoPi * 2) - GeoPi / 2;
}

}  // namespace orbelin
