// Variable names follow the notation key in geodesy/vincenty_distance.h.
#include "geodesy/vincenty_distance.h"

#include "base/maths.h"
#include "geodesy/angles.h"

namespace orbelin {

double DistVincenty(const Ellipsoid& e, double lat1, double lon1, double lat2, double lon2) {
  const double a = e.a;
  const double b = e.b;
  const double f = e.f;
  const double l = ToRad(lon2 - lon1);
  const double u1 = maths::atan((1 - f) * maths::tan(ToRad(lat1)));
  const double u2 = maths::atan((1 - f) * maths::tan(ToRad(lat2)));
  const double sin_u1 = maths::sin(u1);
  const double cos_u1 = maths::cos(u1);
  const double sin_u2 = maths::sin(u2);
  const double cos_u2 = maths::cos(u2);

  double lambda = l;
  double lambda_prev = GeoPi * 2;
  double budget = 20;
  double sin_sigma = 0, cos_sigma = 0, sigma = 0, cos_sq_alpha = 0, cos2sm = 0;
  // The first pass skips the convergence test: a difference of 360 degrees
  // starts within 1e-12 of 2 pi and would otherwise leave with nothing set.
  bool first = true;
  for (;;) {
    if (!first && maths::fabs(lambda - lambda_prev) <= 1e-12) break;
    first = false;
    budget = budget - 1;
    if (budget <= 0) break;
    const double sin_lambda = maths::sin(lambda);
    const double cos_lambda = maths::cos(lambda);
    const double p = cos_u2 * sin_lambda;
    const double q = cos_u1 * sin_u2 - sin_u1 * cos_u2 * cos_lambda;
    sin_sigma = maths::sqrt(p * p + q * q);
    if (sin_sigma == 0) return 0;
    cos_sigma = sin_u1 * sin_u2 + cos_u1 * cos_u2 * cos_lambda;
    sigma = maths::atan2(sin_sigma, cos_sigma);
    const double sin_alpha = cos_u1 * cos_u2 * sin_lambda / sin_sigma;
    cos_sq_alpha = 1 - sin_alpha * sin_alpha;
    cos2sm = maths::fabs(cos_sq_alpha) > 1e-6 ? cos_sigma - 2 * sin_u1 * sin_u2 / cos_sq_alpha
                                              : 0.0;  // a line along the equator
    const double c = f / 16 * cos_sq_alpha * (4 + f * (4 - 3 * cos_sq_alpha));
    lambda_prev = lambda;
    lambda =
        l + (1 - c) * f * sin_alpha *
                (sigma + c * sin_sigma * (cos2sm + c * cos_sigma * (-1 + 2 * cos2sm * cos2sm)));
  }
  if (budget == 0) return -1;

  const double u_sq = cos_sq_alpha * (a * a - b * b) / (b * b);
  const double big_a = 1 + u_sq / 16384 * (4096 + u_sq * (-768 + u_sq * (320 - 175 * u_sq)));
  const double big_b = u_sq / 1024 * (256 + u_sq * (-128 + u_sq * (74 - 47 * u_sq)));
  const double delta_sigma = big_b * sin_sigma *
                             (cos2sm + big_b / 4 *
                                           (cos_sigma * (-1 + 2 * cos2sm * cos2sm) -
                                            big_b / 6 * cos2sm * (-3 + 4 * sin_sigma * sin_sigma) *
                                                (-3 + 4 * cos2sm * cos2sm)));
  const double s = b * big_a * (sigma - delta_sigma);
  return maths::floor(s * 1000) / 1000;
}

}  // namespace orbelin
