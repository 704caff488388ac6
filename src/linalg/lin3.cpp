#include "linalg/lin3.h"

#include "base/maths.h"

namespace orbelin {

namespace {
// An absolute threshold, whatever the size of the coefficients.
constexpr double kSingular = 0.000001;
}  // namespace

double Det3(double p0, double p1, double p2, double p3, double p4, double p5, double p6, double p7,
            double p8) {
  return (p0 * p4 * p8 + p1 * p5 * p6 + p2 * p3 * p7) -
         (p2 * p4 * p6 + p0 * p5 * p7 + p1 * p3 * p8);
}

bool SolveLin3(const double c[12], double* x, double* y, double* z) {
  // Row i is c[4i] .. c[4i + 3]: three coefficients and the right-hand side.
  const double a1 = c[0], b1 = c[1], c1 = c[2], d1 = c[3];
  const double a2 = c[4], b2 = c[5], c2 = c[6], d2 = c[7];
  const double a3 = c[8], b3 = c[9], c3 = c[10], d3 = c[11];
  double d = Det3(a1, b1, c1, a2, b2, c2, a3, b3, c3);
  if (!(maths::fabs(d) > kSingular)) return false;  // NaN is unsolvable too
  double dx = Det3(d1, b1, c1, d2, b2, c2, d3, b3, c3);
  double dy = Det3(a1, d1, c1, a2, d2, c2, a3, d3, c3);
  double dz = Det3(a1, b1, d1, a2, b2, d2, a3, b3, d3);
  *x = dx / d;
  *y = dy / d;
  *z = dz / d;
  return true;
}

}  // namespace orbelin
