#include "geodesy/lambert_conformal_conic.h"

#include <cmath>
#include <numbers>

namespace orbelin {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;

struct Cone {
  double e, n, af, rf;  // af = a F
};

double M(double e, double phi) {
  const double s = std::sin(phi);
  return std::cos(phi) / std::sqrt(1 - e * e * s * s);
}

double T(double e, double phi) {
  const double s = std::sin(phi);
  return std::tan(kPi / 4 - phi / 2) / std::pow((1 - e * s) / (1 + e * s), e / 2);
}

Cone Make(const LambertConformalConic& p) {
  Cone c{};
  c.e = std::sqrt(p.f * (2 - p.f));
  const double phi1 = p.lat1 * kDegree, phi2 = p.lat2 * kDegree;
  const double m1 = M(c.e, phi1), m2 = M(c.e, phi2);
  const double t1 = T(c.e, phi1), t2 = T(c.e, phi2);
  c.n = (std::log(m1) - std::log(m2)) / (std::log(t1) - std::log(t2));
  c.af = p.a * m1 / (c.n * std::pow(t1, c.n));
  c.rf = c.af * std::pow(T(c.e, p.lat_origin * kDegree), c.n);
  return c;
}

}  // namespace

PlanePoint LccForward(const LambertConformalConic& p, double lat, double lon) {
  const Cone c = Make(p);
  const double r = c.af * std::pow(T(c.e, lat * kDegree), c.n);
  const double theta = c.n * std::remainder(lon - p.lon_origin, 360.0) * kDegree;
  return {p.false_easting + r * std::sin(theta), p.false_northing + c.rf - r * std::cos(theta)};
}

GeoPoint LccInverse(const LambertConformalConic& p, double x, double y) {
  const Cone c = Make(p);
  const double dx = x - p.false_easting, dy = c.rf - (y - p.false_northing);
  const double sign = c.n < 0 ? -1.0 : 1.0;
  const double r = sign * std::hypot(dx, dy);
  const double t = std::pow(r / c.af, 1 / c.n);
  const double theta = std::atan2(sign * dx, sign * dy);
  double phi = kPi / 2 - 2 * std::atan(t);
  for (int i = 0; i < 30; ++i) {
    const double s = std::sin(phi);
    const double next =
        kPi / 2 - 2 * std::atan(t * std::pow((1 - c.e * s) / (1 + c.e * s), c.e / 2));
    const bool settled = std::fabs(next - phi) < 1e-15;
    phi = next;
    if (settled) break;
  }
  return {phi / kDegree, p.lon_origin + theta / c.n / kDegree};
}

}  // namespace orbelin
