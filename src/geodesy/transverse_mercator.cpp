#include "geodesy/transverse_mercator.h"

#include <limits>
#include <numbers>

#include "base/maths.h"

namespace orbelin {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// The series' coefficients for one ellipsoid: A the rectifying radius,
// alpha[j] (forward) and beta[j] (inverse) for j = 1..6.
struct Series {
  double e;
  double big_a;
  double alpha[7];
  double beta[7];
};

Series SeriesOf(double a, double f) {
  const double n = f / (2 - f);
  const double n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n, n6 = n5 * n;
  Series s{};
  s.e = maths::sqrt(f * (2 - f));
  s.big_a = a / (1 + n) * (1 + n2 / 4 + n4 / 64 + n6 / 256);
  // clang-format off
  s.alpha[1] = n / 2 - 2 * n2 / 3 + 5 * n3 / 16 + 41 * n4 / 180 - 127 * n5 / 288
             + 7891 * n6 / 37800;
  s.alpha[2] = 13 * n2 / 48 - 3 * n3 / 5 + 557 * n4 / 1440 + 281 * n5 / 630
             - 1983433 * n6 / 1935360;
  s.alpha[3] = 61 * n3 / 240 - 103 * n4 / 140 + 15061 * n5 / 26880 + 167603 * n6 / 181440;
  s.alpha[4] = 49561 * n4 / 161280 - 179 * n5 / 168 + 6601661 * n6 / 7257600;
  s.alpha[5] = 34729 * n5 / 80640 - 3418889 * n6 / 1995840;
  s.alpha[6] = 212378941 * n6 / 319334400;

  s.beta[1] = n / 2 - 2 * n2 / 3 + 37 * n3 / 96 - n4 / 360 - 81 * n5 / 512
            + 96199 * n6 / 604800;
  s.beta[2] = n2 / 48 + n3 / 15 - 437 * n4 / 1440 + 46 * n5 / 105 - 1118711 * n6 / 3870720;
  s.beta[3] = 17 * n3 / 480 - 37 * n4 / 840 - 209 * n5 / 4480 + 5569 * n6 / 90720;
  s.beta[4] = 4397 * n4 / 161280 - 11 * n5 / 504 - 830251 * n6 / 7257600;
  s.beta[5] = 4583 * n5 / 161280 - 108847 * n6 / 3991680;
  s.beta[6] = 20648693 * n6 / 638668800;
  // clang-format on
  return s;
}

// A point of the complex plane zeta = xi + i eta: xi along the central
// meridian, eta across it, both on the scale of the rectifying radius.
struct Zeta {
  double xi;
  double eta;
};

// zeta + sum c[j] sin(2 j zeta), the step between the conformal sphere and
// the projection (sign -1 with beta for the way back). The complex sine in
// real parts, sin(x + i y) = sin x cosh y + i cos x sinh y, so that every
// function is the engine's own.
Zeta Krueger(const double c[7], Zeta zeta, double sign) {
  double sum_xi = 0, sum_eta = 0;
  for (int j = 6; j >= 1; --j) {
    const double x = 2.0 * j * zeta.xi, y = 2.0 * j * zeta.eta;
    sum_xi += c[j] * (maths::sin(x) * maths::cosh(y));
    sum_eta += c[j] * (maths::cos(x) * maths::sinh(y));
  }
  return {zeta.xi + sign * sum_xi, zeta.eta + sign * sum_eta};
}

// Longitude difference into [-180, 180].
double LonDiff(double lon, double lon0) {
  return maths::remainder(lon - lon0, 360.0);
}

// xi of the central meridian at latitude phi (the northing / (k0 A)).
double MeridianXi(const Series& s, double lat) {
  const double taup = ConformalTan(TanDegrees(lat), s.e);
  return Krueger(s.alpha, {maths::atan(taup), 0}, 1).xi;
}

}  // namespace

void SinCosDegrees(double degrees, double* s, double* c) {
  // Reduce to [-45, 45] and a quadrant; both steps are exact.
  double r = maths::remainder(degrees, 360.0);
  const int q = static_cast<int>(maths::round(r / 90));
  r -= 90.0 * q;
  const double sr = maths::sin(r * kDegree), cr = maths::cos(r * kDegree);
  switch (q & 3) {
    case 0:
      *s = sr;
      *c = cr;
      break;
    case 1:
      *s = cr;
      *c = -sr;
      break;
    case 2:
      *s = -sr;
      *c = -cr;
      break;
    default:
      *s = -cr;
      *c = sr;
      break;
  }
}

double TanDegrees(double degrees) {
  double s = 0, c = 0;
  SinCosDegrees(degrees, &s, &c);
  return c == 0 ? maths::copysign(std::numeric_limits<double>::infinity(), s) : s / c;
}

double ConformalTan(double tau, double e) {
  if (maths::isinf(tau)) return tau;
  const double sig = maths::sinh(e * maths::atanh(e * tau / maths::hypot(1.0, tau)));
  return maths::hypot(1.0, sig) * tau - sig * maths::hypot(1.0, tau);
}

double GeodeticTan(double taup, double e) {
  if (maths::isinf(taup) || maths::isnan(taup)) return taup;
  const double e2m = 1 - e * e;
  const double tol = maths::sqrt(2.2e-16) / 10 * maths::fmax(1.0, maths::fabs(taup));
  double tau = taup / e2m;
  // Newton on taup(tau); quadratic, so once a step is below the square root
  // of the rounding the next is below the rounding itself.
  for (int i = 0; i < 10; ++i) {
    const double taupa = ConformalTan(tau, e);
    const double dtau = (taup - taupa) * (1 + e2m * tau * tau) /
                        (e2m * maths::hypot(1.0, tau) * maths::hypot(1.0, taupa));
    tau += dtau;
    if (!(maths::fabs(dtau) >= tol)) break;
  }
  return tau;
}

PlanePoint TmForward(const TransverseMercator& tm, double lat, double lon) {
  const Series s = SeriesOf(tm.a, tm.f);
  double sl = 0, cl = 0;
  SinCosDegrees(LonDiff(lon, tm.lon0), &sl, &cl);
  const double taup = ConformalTan(TanDegrees(lat), s.e);
  // The conformal sphere, then its transverse Mercator (Gauss-Schreiber).
  const double xip = maths::atan2(taup, cl);
  const double etap = maths::asinh(sl / maths::hypot(taup, cl));
  const Zeta zeta = Krueger(s.alpha, {xip, etap}, 1);
  const double scale = tm.k0 * s.big_a;
  const double y0 = tm.lat0 == 0 ? 0.0 : MeridianXi(s, tm.lat0);
  return {tm.false_easting + scale * zeta.eta, tm.false_northing + scale * (zeta.xi - y0)};
}

GeoPoint TmInverse(const TransverseMercator& tm, double x, double y) {
  const Series s = SeriesOf(tm.a, tm.f);
  const double scale = tm.k0 * s.big_a;
  const double y0 = tm.lat0 == 0 ? 0.0 : MeridianXi(s, tm.lat0);
  const Zeta zeta{(y - tm.false_northing) / scale + y0, (x - tm.false_easting) / scale};
  const Zeta zetap = Krueger(s.beta, zeta, -1);
  const double xip = zetap.xi, etap = zetap.eta;
  const double taup = maths::sin(xip) / maths::hypot(maths::sinh(etap), maths::cos(xip));
  const double lambda = maths::atan2(maths::sinh(etap), maths::cos(xip));
  const double tau = GeodeticTan(taup, s.e);
  return {maths::atan(tau) / kDegree, maths::remainder(tm.lon0 + lambda / kDegree, 360.0)};
}

}  // namespace orbelin
