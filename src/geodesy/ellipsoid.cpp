// Variable names follow the notation key in geodesy/ellipsoid.h.
#include "geodesy/ellipsoid.h"

#include <cmath>

namespace orbelin {

double MeridianRadius(double a, double e2, double phi) {
  const double s = std::sin(phi);
  const double w = std::sqrt(1 - e2 * (s * s));
  return a * (1 - e2) / (w * w * w);
}

double PrimeVerticalRadius(double a, double e2, double phi) {
  const double s = std::sin(phi);
  return a / std::sqrt(1 - e2 * (s * s));
}

double MeridianArc(const Ellipsoid& e, double phi) {
  return e.arc_a * phi - e.arc_b * std::sin(2 * phi) + e.arc_c * std::sin(4 * phi) -
         e.arc_d * std::sin(6 * phi) + e.arc_e * std::sin(8 * phi);
}

}  // namespace orbelin
