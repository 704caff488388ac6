#include "geodesy/polar_stereographic.h"

#include <limits>
#include <numbers>

#include "base/maths.h"

namespace orbelin {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// 2 k0 a / sqrt((1 + e)^(1 + e) (1 - e)^(1 - e)): rho = this tan(pi/4 - chi/2).
double RhoScale(const PolarStereographic& ps) {
  const double e = maths::sqrt(ps.f * (2 - ps.f));
  return 2 * ps.k0 * ps.a / (maths::sqrt(1 - e * e) * maths::exp(e * maths::atanh(e)));
}

}  // namespace

PlanePoint PsForward(const PolarStereographic& ps, bool north, double lat, double lon) {
  const double e = maths::sqrt(ps.f * (2 - ps.f));
  const double taup = ConformalTan(TanDegrees(north ? lat : -lat), e);
  // tan(pi/4 - chi/2) = sqrt(1 + taup^2) - taup, written without cancellation.
  const double t = maths::isinf(taup) ? (taup > 0 ? 0.0 : kInfinity)
                   : taup >= 0        ? 1 / (maths::hypot(1.0, taup) + taup)
                                      : maths::hypot(1.0, taup) - taup;
  const double rho = RhoScale(ps) * t;
  double sl = 0, cl = 0;
  SinCosDegrees(lon, &sl, &cl);
  return {ps.false_easting + rho * sl, ps.false_northing + (north ? -rho : rho) * cl};
}

GeoPoint PsInverse(const PolarStereographic& ps, bool north, double x, double y) {
  const double e = maths::sqrt(ps.f * (2 - ps.f));
  const double dx = x - ps.false_easting, dy = y - ps.false_northing;
  const double t = maths::hypot(dx, dy) / RhoScale(ps);
  // taup = (1/t - t) / 2, infinite at the pole itself.
  const double taup = t == 0 ? kInfinity : (1 - t) * (1 + t) / (2 * t);
  const double lat = maths::atan(GeodeticTan(taup, e)) / kDegree;
  const double lambda = maths::atan2(dx, north ? -dy : dy);
  return {north ? lat : -lat, lambda / kDegree};
}

}  // namespace orbelin
