#include "geodesy/construction_error.h"

#include <limits>

#include "base/maths.h"
#include "geodesy/geodesic_inverse.h"

namespace orbelin {

namespace {

constexpr double kUnknown = std::numeric_limits<double>::infinity();

bool Measurable(GeoPoint x) {
  return maths::fabs(x.lat) <= 90 && maths::isfinite(x.lon);
}

}  // namespace

double Separation(const Ellipsoid& e, GeoPoint a, GeoPoint b) {
  if (!Measurable(a) || !Measurable(b)) return kUnknown;
  const double s = CalcProjection(e, a.lat, a.lon, b.lat, b.lon, nullptr).distance;
  return s >= 0 ? s : kUnknown;  // NaN: no answer near the antipode
}

double GeodesicCircleGap(const Ellipsoid& surface, GeoPoint p1, GeoPoint p2, double r1, double r2) {
  const double d = Separation(surface, p1, p2);
  if (!maths::isfinite(d)) return kUnknown;
  const double gap = maths::fmax(d - (maths::fabs(r1) + maths::fabs(r2)), maths::fabs(r1 - r2) - d);
  return maths::isnan(gap) ? kUnknown : gap;
}

}  // namespace orbelin
