// Variable names follow the notation key in geodesy/geodesic_direct.h.
#include "geodesy/geodesic_direct.h"

#include <cmath>

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"
#include "interp/result_stream.h"

namespace orbelin {

namespace {

constexpr double kEps = 1e-14;
constexpr int kStepBound = 99;

}  // namespace

DirectResult CalcBackProjection(double lat1, double lon1, double azimuth, double distance,
                                ResultStream* trace) {
  if (trace) trace->Write("--> CalcBackProjection\n");
  const Ellipsoid& ell = SelectEllipsoid(0);
  const double a = ell.a;
  const double f = ell.f;
  if (trace) trace->Printf("%.5f %.5f %.5f %.1f\n", lat1, lon1, azimuth, distance);

  const double phi1 = ToRad(lat1);
  const double lambda1 = ToRad(lon1);
  const double alpha1 = ToRad(azimuth);
  const double r = 1 - f;

  double tu = r * std::tan(phi1);
  const double sf = std::sin(alpha1);
  const double cf = std::cos(alpha1);
  if (trace) trace->Printf("%.5f %.5f\n", sf, cf);
  double baz = cf != 0 ? 2 * std::atan2(tu, cf) : 0.0;
  const double cu = 1 / std::sqrt(tu * tu + 1);
  const double su = tu * cu;
  const double sa = cu * sf;
  const double c2a = 1 - sa * sa;
  double x = std::sqrt((1 / (r * r) - 1) * c2a + 1) + 1;
  x = (x - 2) / x;
  double c = (x * x / 4 + 1) / (1 - x);
  double d = (0.375 * (x * x) - 1) * x;
  tu = distance / (r * a * c);
  double y = tu;

  double sy = 0, cy = 0, cz = 0, e = 0;
  DirectResult result;
  double change = 2e-14;
  // Bounded: a NaN change never falls to 1e-14, and beyond some 400000 km
  // neighbouring values of Y lie further apart than that.
  while (!(change <= kEps) && result.steps < kStepBound) {
    sy = std::sin(y);
    cy = std::cos(y);
    cz = std::cos(baz + y);
    e = 2 * (cz * cz) - 1;
    c = y;
    x = e * cy;
    y = e + e - 1;
    y = (((sy * sy * 4 - 3) * y * cz * d / 6 + x) * d / 4 - cz) * sy * d + tu;
    change = std::fabs(c - y);
    ++result.steps;
    if (trace) trace->Printf("%.12f\n", change);
  }
  result.converged = change <= kEps;

  baz = cu * cy * cf - su * sy;
  c = r * std::sqrt(sa * sa + baz * baz);
  d = su * cy + cu * sy * cf;
  const double phi2 = WrapHalfPi(std::atan2(d, c));
  c = cu * cy - su * sy * cf;
  x = std::atan2(sy * sf, c);
  c = ((-3 * c2a + 4) * f + 4) * c2a * f / 16;
  d = ((e * cy * c + cz) * sy * c + y) * sa;
  const double lambda2 = WrapPi(lambda1 + x - (1 - c) * d * f);
  const double back = Wrap2Pi(std::atan2(sa, baz) + GeoPi);

  result.lat = ToDeg(phi2);
  result.lon = ToDeg(lambda2);
  result.back_azimuth = ToDeg(back);
  if (trace) trace->Write("<-- CalcBackProjection\n");
  return result;
}

}  // namespace orbelin
