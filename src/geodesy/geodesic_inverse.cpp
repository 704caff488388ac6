// Variable names follow the notation key in geodesy/geodesic_inverse.h.
#include "geodesy/geodesic_inverse.h"

#include <cmath>
#include <limits>

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"
#include "interp/result_stream.h"

namespace orbelin {

namespace {

constexpr double kEps = 1e-14;
constexpr int kStepBound = 100;  // the counter starts at 1: at most 99 steps
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void TraceResult(ResultStream* trace, const InverseResult& r) {
  if (!trace) return;
  trace->Printf("%.5f %.5f %.5f\n", r.distance, r.azimuth, r.back_azimuth);
  trace->Write("<-- CalcProjection\n");
}

}  // namespace

InverseResult CalcProjection(double lat1, double lon1, double lat2, double lon2,
                             ResultStream* trace) {
  if (trace) trace->Write("--> CalcProjection\n");
  const Ellipsoid& ell = SelectEllipsoid(0);
  const double a = ell.a;
  const double f = ell.f;
  if (trace) trace->Printf("%.5f %.5f %.5f %.5f\n", lat1, lon1, lat2, lon2);

  InverseResult result;
  if (lat1 == lat2 && lon1 == lon2) {
    // The first step would divide by a zero arc; a point to itself is 0 m.
    result.back_azimuth = 180.0;
    TraceResult(trace, result);
    return result;
  }

  const double phi1 = ToRad(lat1);
  const double lambda1 = ToRad(lon1);
  const double phi2 = ToRad(lat2);
  const double lambda2 = ToRad(lon2);
  const double r = 1 - f;

  double tu1 = r * std::tan(phi1);
  double tu2 = r * std::tan(phi2);
  const double cu1 = 1 / std::sqrt(tu1 * tu1 + 1);
  const double su1 = cu1 * tu1;
  const double cu2 = 1 / std::sqrt(tu2 * tu2 + 1);
  double s = cu1 * cu2;
  const double baz = s * tu2;
  const double faz = baz * tu1;

  double x = lambda2 - lambda1;
  double d = x + 1;
  if (trace) trace->Printf("%f %f\n", x, d);
  double eps = std::fabs(d - x);
  int counter = 1;
  if (trace) trace->Printf("eps %.15f\n", eps);

  double sx = 0, cx = 0, sy = 0, cy = 0, y = 0, c2a = 0, cz = 0, e = 0, c = 0;
  while (eps > kEps && counter < kStepBound) {
    if (trace) trace->Printf("%d\n", counter);
    ++counter;
    sx = std::sin(x);
    cx = std::cos(x);
    tu1 = cu2 * sx;
    tu2 = baz - su1 * cu2 * cx;
    sy = std::sqrt(tu1 * tu1 + tu2 * tu2);
    cy = s * cx + faz;
    y = std::atan2(sy, cy);
    const double sa = s * sx / sy;
    c2a = 1 - sa * sa;
    cz = faz + faz;
    if (c2a > 0) cz = cy - cz / c2a;
    e = 2 * (cz * cz) - 1;
    c = ((-3 * c2a + 4) * f + 4) * c2a * f / 16;
    d = x;
    x = ((e * cy * c + cz) * sy * c + y) * sa;
    x = (1 - c) * x * f + lambda2 - lambda1;
    eps = std::fabs(d - x);
    if (trace) trace->Printf("eps %.15f\n", eps);
  }
  result.steps = counter - 1;
  result.converged = result.steps > 0 && eps <= kEps;

  result.azimuth = Wrap2Pi(std::atan2(tu1, tu2));
  result.back_azimuth = Wrap2Pi(std::atan2(cu1 * sx, baz * cx - su1 * cu2) + GeoPi);
  x = std::sqrt((1 / (r * r) - 1) * c2a + 1) + 1;
  x = (x - 2) / x;
  c = (x * x / 4 + 1) / (1 - x);
  d = (0.375 * (x * x) - 1) * x;
  x = e * cy;
  s = 1 - e - e;
  result.distance =
      ((((sy * sy * 4 - 3) * s * cz * d / 6 - x) * d / 4 + cz) * sy * d + y) * c * a * r;
  result.azimuth = ToDeg(result.azimuth);
  result.back_azimuth = ToDeg(result.back_azimuth);

  if (result.steps == 0) {
    // Nothing was iterated: the values above rest on no step at all.
    result.distance = result.azimuth = result.back_azimuth = kNaN;
  }
  TraceResult(trace, result);
  if (counter >= kStepBound && eps > kEps) {
    // The bound ended the loop (nearly antipodal points): the last step can
    // be over 100 km and up to 90 degrees off, so give nothing rather than a
    // plausible wrong answer. The trace above keeps what was computed.
    result.distance = result.azimuth = result.back_azimuth = kNaN;
  }
  return result;
}

}  // namespace orbelin
