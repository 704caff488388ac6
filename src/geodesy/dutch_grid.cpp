#include "geodesy/dutch_grid.h"

#include <numbers>

#include "base/maths.h"
#include "geodesy/helmert.h"

namespace orbelin {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;
constexpr Ellipsoid kBesselSurface = DeriveEllipsoid(6377397.155, 1 / 299.1528128);
// EPSG 15739 in PROJ 9.1's coordinate-frame numbers, turned into the
// position-vector convention (rotations negated).
constexpr Helmert kAmersfoort = {565.4171,          50.3319,           465.5524, -0.398957388243134,
                                 0.343987817378283, -1.87740163998045, 4.0725};
constexpr double kLat0 = 52 + 9 / 60.0 + 22.178 / 3600;
constexpr double kLon0 = 5 + 23 / 60.0 + 15.5 / 3600;
constexpr double kK0 = 0.9999079;
constexpr double kFalseEast = 155000, kFalseNorth = 463000;

struct Sphere {
  double e, r, n, c, chi0;
};

// w = c ((1 + sin phi) / (1 - sin phi) ((1 - e sin phi) / (1 + e sin phi))^e)^n
double W(const Sphere& s, double c, double phi) {
  const double sp = maths::sin(phi);
  return c *
         maths::pow((1 + sp) / (1 - sp) * maths::pow((1 - s.e * sp) / (1 + s.e * sp), s.e), s.n);
}

Sphere Make() {
  const double e2 = kBesselSurface.e2, a = kBesselSurface.a;
  const double phi0 = kLat0 * kDegree, s0 = maths::sin(phi0), c0 = maths::cos(phi0);
  Sphere s{};
  s.e = maths::sqrt(e2);
  const double rho0 = a * (1 - e2) / maths::pow(1 - e2 * s0 * s0, 1.5);
  const double nu0 = a / maths::sqrt(1 - e2 * s0 * s0);
  s.r = maths::sqrt(rho0 * nu0);
  s.n = maths::sqrt(1 + e2 * c0 * c0 * c0 * c0 / (1 - e2));
  const double w1 = W(s, 1, phi0);
  const double sin_chi = (w1 - 1) / (w1 + 1);
  s.c = (s.n + s0) * (1 - sin_chi) / ((s.n - s0) * (1 + sin_chi));
  const double w2 = s.c * w1;
  s.chi0 = maths::asin((w2 - 1) / (w2 + 1));
  return s;
}

const Sphere& S() {
  static const Sphere s = Make();
  return s;
}

PlanePoint Forward(double lat, double lon) {
  const Sphere& s = S();
  const double dl = s.n * (lon - kLon0) * kDegree;  // Lambda - Lambda0
  const double w = W(s, s.c, lat * kDegree);
  const double chi = maths::asin((w - 1) / (w + 1));
  const double b = 1 + maths::sin(chi) * maths::sin(s.chi0) +
                   maths::cos(chi) * maths::cos(s.chi0) * maths::cos(dl);
  const double k = 2 * s.r * kK0 / b;
  return {kFalseEast + k * maths::cos(chi) * maths::sin(dl),
          kFalseNorth + k * (maths::sin(chi) * maths::cos(s.chi0) -
                             maths::cos(chi) * maths::sin(s.chi0) * maths::cos(dl))};
}

GeoPoint Inverse(double x, double y) {
  const Sphere& s = S();
  const double dx = x - kFalseEast, dy = y - kFalseNorth;
  const double g = 2 * s.r * kK0 * maths::tan(kPi / 4 - s.chi0 / 2);
  const double h = 4 * s.r * kK0 * maths::tan(s.chi0) + g;
  const double i = maths::atan2(dx, h + dy);
  const double j = maths::atan2(dx, g - dy) - i;
  const double chi = s.chi0 + 2 * maths::atan((dy - dx * maths::tan(j / 2)) / (2 * s.r * kK0));
  const double dl = j + 2 * i;
  const double lon = kLon0 + dl / s.n / kDegree;
  // The latitude whose conformal latitude is chi: Newton on the isometric
  // latitude, a few steps.
  const double psi = 0.5 * maths::log((1 + maths::sin(chi)) / (s.c * (1 - maths::sin(chi)))) / s.n;
  double phi = 2 * maths::atan(maths::exp(psi)) - kPi / 2;
  for (int k = 0; k < 20; ++k) {
    const double sp = maths::sin(phi);
    const double psi_i = maths::log(maths::tan(phi / 2 + kPi / 4) *
                                    maths::pow((1 - s.e * sp) / (1 + s.e * sp), s.e / 2));
    const double step =
        (psi_i - psi) * maths::cos(phi) * (1 - s.e * s.e * sp * sp) / (1 - s.e * s.e);
    phi -= step;
    if (maths::fabs(step) < 1e-15) break;
  }
  return {phi / kDegree, lon};
}

}  // namespace

PlanePoint Wgs84ToRd(double lat, double lon) {
  const GeoPoint g = Wgs84ToDatum(kAmersfoort, kBesselSurface, lat, lon);
  return Forward(g.lat, g.lon);
}

GeoPoint RdToWgs84(double x, double y) {
  const GeoPoint g = Inverse(x, y);
  return DatumToWgs84(kAmersfoort, kBesselSurface, g.lat, g.lon);
}

bool InNetherlands(double lat, double lon) {
  return lat >= 50.75 && lat <= 53.7 && lon >= 3.2 && lon <= 7.22;
}

}  // namespace orbelin
