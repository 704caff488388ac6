#include "geodesy/dhdn_datum.h"

#include "base/maths.h"

namespace orbelin {

namespace {

// EPSG 1777, DHDN to WGS 84 (2), position vector convention.
constexpr double kTx = 598.1, kTy = 73.7, kTz = 418.2;  // metres
constexpr double kRxSeconds = 0.202, kRySeconds = 0.045, kRzSeconds = -2.455;
constexpr double kScalePpm = 6.7;

struct Helmert {
  double rx, ry, rz;  // radians
  double m;           // 1 + scale
};

Helmert Parameters() {
  return {ToRad(kRxSeconds / 3600), ToRad(kRySeconds / 3600), ToRad(kRzSeconds / 3600),
          1 + kScalePpm * 1e-6};
}

const Ellipsoid& Bessel() {
  return kBessel.surface;
}

}  // namespace

Geocentric ToGeocentric(const Ellipsoid& e, double lat, double lon, double height) {
  const double phi = ToRad(lat), lambda = ToRad(lon);
  const double n = PrimeVerticalRadius(e.a, e.e2, phi);
  return {(n + height) * maths::cos(phi) * maths::cos(lambda),
          (n + height) * maths::cos(phi) * maths::sin(lambda),
          (n * (1 - e.e2) + height) * maths::sin(phi)};
}

GeoPoint ToGeodetic(const Ellipsoid& e, const Geocentric& g) {
  const double p = maths::hypot(g.x, g.y);
  double phi = maths::atan2(g.z, p * (1 - e.e2));
  // phi = atan(Z / (p (1 - e2 N / (N + h)))); near the surface each step
  // gains about three digits, so this settles within a handful.
  for (int i = 0; i < 10; ++i) {
    const double n = PrimeVerticalRadius(e.a, e.e2, phi);
    const double c = maths::cos(phi);
    if (c == 0) break;  // a pole: the latitude is exact
    const double h = p / c - n;
    const double next = maths::atan2(g.z, p * (1 - e.e2 * n / (n + h)));
    const bool settled = maths::fabs(next - phi) < 1e-15;
    phi = next;
    if (settled) break;
  }
  return {ToDeg(phi), ToDeg(maths::atan2(g.y, g.x))};
}

// X' = T + (1 + s) R X, with the rotation for small angles
//   R = |  1   -rz   ry |
//       |  rz   1   -rx |
//       | -ry   rx   1  |
Geocentric DhdnToWgs84(const Geocentric& g) {
  const Helmert h = Parameters();
  return {kTx + h.m * (g.x - h.rz * g.y + h.ry * g.z), kTy + h.m * (h.rz * g.x + g.y - h.rx * g.z),
          kTz + h.m * (-h.ry * g.x + h.rx * g.y + g.z)};
}

// The inverse solves R X = (X' - T) / (1 + s) by Cramer's rule, so that the
// two directions undo each other to rounding.
Geocentric Wgs84ToDhdn(const Geocentric& g) {
  const Helmert h = Parameters();
  const double bx = (g.x - kTx) / h.m, by = (g.y - kTy) / h.m, bz = (g.z - kTz) / h.m;
  const double r[3][3] = {{1, -h.rz, h.ry}, {h.rz, 1, -h.rx}, {-h.ry, h.rx, 1}};
  auto det = [](const double m[3][3]) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  };
  const double d = det(r);
  const double b[3] = {bx, by, bz};
  double x[3];
  for (int col = 0; col < 3; ++col) {
    double m[3][3];
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) m[i][j] = j == col ? b[i] : r[i][j];
    }
    x[col] = det(m) / d;
  }
  return {x[0], x[1], x[2]};
}

GeoPoint Wgs84ToDhdn(double lat, double lon) {
  return ToGeodetic(Bessel(), Wgs84ToDhdn(ToGeocentric(kWgs84, lat, lon, 0)));
}

GeoPoint DhdnToWgs84(double lat, double lon) {
  return ToGeodetic(kWgs84, DhdnToWgs84(ToGeocentric(Bessel(), lat, lon, 0)));
}

GaussKruegerPoint Wgs84ToDhdnGK(double lat, double lon, int k) {
  const GeoPoint d = Wgs84ToDhdn(lat, lon);
  return Geo2GK(kBessel, d.lat, d.lon, k);
}

GeoPoint DhdnGKToWgs84(double r, double h, TextSink* trace) {
  const GeoPoint d = GK2Geo(kBessel, r, h, trace);
  return DhdnToWgs84(d.lat, d.lon);
}

}  // namespace orbelin
