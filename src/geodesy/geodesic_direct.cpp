// Variable names follow the notation key in geodesy/geodesic_direct.h.
#include "geodesy/geodesic_direct.h"

#include "base/maths.h"
#include "base/text_sink.h"
#include "geodesy/angles.h"

namespace orbelin {

namespace {

constexpr double kEps = 1e-14;
constexpr int kStepBound = 99;

}  // namespace

DirectResult CalcBackProjection(const Ellipsoid& ellipsoid, double lat1, double lon1,
                                double azimuth, double distance, TextSink* trace) {
  if (trace) trace->Write("--> CalcBackProjection\n");
  const double a = ellipsoid.a;
  const double f = ellipsoid.f;
  if (trace) trace->Printf("%.5f %.5f %.5f %.1f\n", lat1, lon1, azimuth, distance);

  const double phi1 = ToRad(lat1);
  const double lambda1 = ToRad(lon1);
  const double alpha1 = ToRad(azimuth);
  const double r = 1 - f;

  const double tu = r * maths::tan(phi1);
  const double sf = maths::sin(alpha1);
  const double cf = maths::cos(alpha1);
  if (trace) trace->Printf("%.5f %.5f\n", sf, cf);
  const double sigma1_twice = cf != 0 ? 2 * maths::atan2(tu, cf) : 0.0;  // DIRCT1's first BAZ
  const double cu = 1 / maths::sqrt(tu * tu + 1);
  const double su = tu * cu;
  const double sa = cu * sf;
  const double c2a = 1 - sa * sa;
  const double x_root = maths::sqrt((1 / (r * r) - 1) * c2a + 1) + 1;
  const double x = (x_root - 2) / x_root;
  const double series_c = (x * x / 4 + 1) / (1 - x);
  const double series_d = (0.375 * (x * x) - 1) * x;
  const double sigma0 = distance / (r * a * series_c);  // the arc without the series

  double y = sigma0;
  double sy = 0, cy = 0, cz = 0, e = 0;
  DirectResult result;
  double change = 2e-14;
  // Bounded: a NaN change never falls to 1e-14, and beyond some 400000 km
  // neighbouring values of Y lie further apart than that.
  while (!(change <= kEps) && result.steps < kStepBound) {
    sy = maths::sin(y);
    cy = maths::cos(y);
    cz = maths::cos(sigma1_twice + y);
    e = 2 * (cz * cz) - 1;
    const double previous_y = y;
    const double e_cy = e * cy;
    const double two_e_less_1 = e + e - 1;
    y = (((sy * sy * 4 - 3) * two_e_less_1 * cz * series_d / 6 + e_cy) * series_d / 4 - cz) * sy *
            series_d +
        sigma0;
    change = maths::fabs(previous_y - y);
    ++result.steps;
    if (trace) trace->Printf("%.12f\n", change);
  }
  result.converged = change <= kEps;

  const double baz = cu * cy * cf - su * sy;
  const double cos_phi2_part = r * maths::sqrt(sa * sa + baz * baz);
  const double sin_phi2_part = su * cy + cu * sy * cf;
  const double phi2 = WrapHalfPi(maths::atan2(sin_phi2_part, cos_phi2_part));
  const double cos_lambda_part = cu * cy - su * sy * cf;
  const double lambda_sphere = maths::atan2(sy * sf, cos_lambda_part);
  const double c = ((-3 * c2a + 4) * f + 4) * c2a * f / 16;
  const double d = ((e * cy * c + cz) * sy * c + y) * sa;
  const double lambda2 = WrapPi(lambda1 + lambda_sphere - (1 - c) * d * f);
  const double back = Wrap2Pi(maths::atan2(sa, baz) + GeoPi);

  result.lat = ToDeg(phi2);
  result.lon = ToDeg(lambda2);
  result.back_azimuth = ToDeg(back);
  if (trace) trace->Write("<-- CalcBackProjection\n");
  return result;
}

}  // namespace orbelin
