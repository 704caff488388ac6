#include "geodesy/construction_error.h"

#include <cmath>
#include <limits>

#include "geodesy/geodesic_inverse.h"

namespace orbelin {

namespace {

constexpr double kUnknown = std::numeric_limits<double>::infinity();

bool Measurable(GeoPoint x) {
  return std::fabs(x.lat) <= 90 && std::isfinite(x.lon);
}

}  // namespace

double Separation(const Ellipsoid& e, GeoPoint a, GeoPoint b) {
  if (!Measurable(a) || !Measurable(b)) return kUnknown;
  const double s = CalcProjection(e, a.lat, a.lon, b.lat, b.lon, nullptr).distance;
  return s >= 0 ? s : kUnknown;  // NaN: no answer near the antipode
}

double GeodesicCircleGap(const Ellipsoid& surface, GeoPoint p1, GeoPoint p2, double r1, double r2) {
  const double d = Separation(surface, p1, p2);
  if (!std::isfinite(d)) return kUnknown;
  const double gap = std::fmax(d - (std::fabs(r1) + std::fabs(r2)), std::fabs(r1 - r2) - d);
  return std::isnan(gap) ? kUnknown : gap;
}

}  // namespace orbelin
