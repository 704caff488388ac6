// Variable names follow the notation key in geodesy/geodesic_inverse.h.
#include "geodesy/geodesic_inverse.h"

#include "base/maths.h"
#include "base/text_sink.h"
#include "geodesy/angles.h"
#include "geodesy/degenerate.h"

namespace orbelin {

namespace {

constexpr double kEps = 1e-14;
constexpr int kStepBound = 100;  // the counter starts at 1: at most 99 steps

void TraceResult(TextSink* trace, const InverseResult& r) {
  if (!trace) return;
  trace->Printf("%.5f %.5f %.5f\n", r.distance, r.azimuth, r.back_azimuth);
  trace->Write("<-- CalcProjection\n");
}

}  // namespace

InverseResult CalcProjection(const Ellipsoid& ellipsoid, double lat1, double lon1, double lat2,
                             double lon2, TextSink* trace) {
  if (trace) trace->Write("--> CalcProjection\n");
  const double a = ellipsoid.a;
  const double f = ellipsoid.f;
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

  const double tu1 = r * maths::tan(phi1);
  const double tu2 = r * maths::tan(phi2);
  const double cu1 = 1 / maths::sqrt(tu1 * tu1 + 1);
  const double su1 = cu1 * tu1;
  const double cu2 = 1 / maths::sqrt(tu2 * tu2 + 1);
  const double s = cu1 * cu2;
  const double baz = s * tu2;
  const double faz = baz * tu1;

  double x = lambda2 - lambda1;
  double previous_x = x + 1;
  if (trace) trace->Printf("%f %f\n", x, previous_x);
  double eps = maths::fabs(previous_x - x);
  int counter = 1;
  if (trace) trace->Printf("eps %.15f\n", eps);

  // What the last step leaves for the azimuths and the distance. SY is
  // sqrt(sin_part1^2 + sin_part2^2), INVER1's TU1 and TU2 of the loop.
  double sx = 0, cx = 0, sin_part1 = 0, sin_part2 = 0, sy = 0, cy = 0, y = 0, c2a = 0, cz = 0,
         e = 0;
  while (eps > kEps && counter < kStepBound) {
    if (trace) trace->Printf("%d\n", counter);
    ++counter;
    sx = maths::sin(x);
    cx = maths::cos(x);
    sin_part1 = cu2 * sx;
    sin_part2 = baz - su1 * cu2 * cx;
    sy = maths::sqrt(sin_part1 * sin_part1 + sin_part2 * sin_part2);
    cy = s * cx + faz;
    y = maths::atan2(sy, cy);
    const double sa = s * sx / sy;
    c2a = 1 - sa * sa;
    cz = faz + faz;
    if (c2a > 0) cz = cy - cz / c2a;
    e = 2 * (cz * cz) - 1;
    const double c = ((-3 * c2a + 4) * f + 4) * c2a * f / 16;
    previous_x = x;
    const double series = ((e * cy * c + cz) * sy * c + y) * sa;
    x = (1 - c) * series * f + lambda2 - lambda1;
    eps = maths::fabs(previous_x - x);
    if (trace) trace->Printf("eps %.15f\n", eps);
  }
  result.steps = counter - 1;
  result.converged = result.steps > 0 && eps <= kEps;

  const double azimuth = Wrap2Pi(maths::atan2(sin_part1, sin_part2));
  const double back_azimuth = Wrap2Pi(maths::atan2(cu1 * sx, baz * cx - su1 * cu2) + GeoPi);
  const double x_root = maths::sqrt((1 / (r * r) - 1) * c2a + 1) + 1;
  const double xk = (x_root - 2) / x_root;
  const double series_c = (xk * xk / 4 + 1) / (1 - xk);
  const double series_d = (0.375 * (xk * xk) - 1) * xk;
  const double e_cy = e * cy;
  const double one_less_2e = 1 - e - e;
  result.distance =
      ((((sy * sy * 4 - 3) * one_less_2e * cz * series_d / 6 - e_cy) * series_d / 4 + cz) * sy *
           series_d +
       y) *
      series_c * a * r;
  result.azimuth = ToDeg(azimuth);
  result.back_azimuth = ToDeg(back_azimuth);

  if (result.steps == 0) {
    // Nothing was iterated: the values above rest on no step at all.
    result.distance = result.azimuth = result.back_azimuth = kNoValue;
  }
  TraceResult(trace, result);
  if (counter >= kStepBound && eps > kEps) {
    // The bound ended the loop (nearly antipodal points): the last step can
    // be over 100 km and up to 90 degrees off, so give nothing rather than a
    // plausible wrong answer. The trace above keeps what was computed.
    result.distance = result.azimuth = result.back_azimuth = kNoValue;
  }
  return result;
}

}  // namespace orbelin
