// Variable names follow the notation key in geodesy/ellipsoid.h.
#include "geodesy/ellipsoid.h"

#include "base/maths.h"

namespace orbelin {

double MeridianRadius(double a, double e2, double phi) {
  const double s = maths::sin(phi);
  const double w = maths::sqrt(1 - e2 * (s * s));
  return a * (1 - e2) / (w * w * w);
}

double PrimeVerticalRadius(double a, double e2, double phi) {
  const double s = maths::sin(phi);
  return a / maths::sqrt(1 - e2 * (s * s));
}

double MeridianArc(const Ellipsoid& e, double phi) {
  return e.arc_a * phi - e.arc_b * maths::sin(2 * phi) + e.arc_c * maths::sin(4 * phi) -
         e.arc_d * maths::sin(6 * phi) + e.arc_e * maths::sin(8 * phi);
}

}  // namespace orbelin
