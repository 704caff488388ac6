#include "geodesy/lambert_conformal_conic.h"

#include <numbers>

#include "base/maths.h"

namespace orbelin {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;

struct Cone {
  double e, n, af, rf;  // af = a F
};

double M(double e, double phi) {
  const double s = maths::sin(phi);
  return maths::cos(phi) / maths::sqrt(1 - e * e * s * s);
}

double T(double e, double phi) {
  const double s = maths::sin(phi);
  return maths::tan(kPi / 4 - phi / 2) / maths::pow((1 - e * s) / (1 + e * s), e / 2);
}

Cone Make(const LambertConformalConic& p) {
  Cone c{};
  c.e = maths::sqrt(p.f * (2 - p.f));
  const double phi1 = p.lat1 * kDegree, phi2 = p.lat2 * kDegree;
  const double m1 = M(c.e, phi1), m2 = M(c.e, phi2);
  const double t1 = T(c.e, phi1), t2 = T(c.e, phi2);
  c.n = (maths::log(m1) - maths::log(m2)) / (maths::log(t1) - maths::log(t2));
  c.af = p.a * m1 / (c.n * maths::pow(t1, c.n));
  c.rf = c.af * maths::pow(T(c.e, p.lat_origin * kDegree), c.n);
  return c;
}

}  // namespace

PlanePoint LccForward(const LambertConformalConic& p, double lat, double lon) {
  const Cone c = Make(p);
  const double r = c.af * maths::pow(T(c.e, lat * kDegree), c.n);
  const double theta = c.n * maths::remainder(lon - p.lon_origin, 360.0) * kDegree;
  return {p.false_easting + r * maths::sin(theta), p.false_northing + c.rf - r * maths::cos(theta)};
}

GeoPoint LccInverse(const LambertConformalConic& p, double x, double y) {
  const Cone c = Make(p);
  const double dx = x - p.false_easting, dy = c.rf - (y - p.false_northing);
  const double sign = c.n < 0 ? -1.0 : 1.0;
  const double r = sign * maths::hypot(dx, dy);
  const double t = maths::pow(r / c.af, 1 / c.n);
  const double theta = maths::atan2(sign * dx, sign * dy);
  double phi = kPi / 2 - 2 * maths::atan(t);
  for (int i = 0; i < 30; ++i) {
    const double s = maths::sin(phi);
    const double next =
        kPi / 2 - 2 * maths::atan(t * maths::pow((1 - c.e * s) / (1 + c.e * s), c.e / 2));
    const bool settled = maths::fabs(next - phi) < 1e-15;
    phi = next;
    if (settled) break;
  }
  return {phi / kDegree, p.lon_origin + theta / c.n / kDegree};
}

}  // namespace orbelin
