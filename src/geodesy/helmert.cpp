#include "geodesy/helmert.h"

#include <numbers>

namespace orbelin {

namespace {

constexpr double kArcSecond = std::numbers::pi / (180.0 * 3600.0);

struct Matrix {
  double m[3][3];
};

Matrix Rotation(const Helmert& h) {
  const double rx = h.rx * kArcSecond, ry = h.ry * kArcSecond, rz = h.rz * kArcSecond;
  return {{{1, -rz, ry}, {rz, 1, -rx}, {-ry, rx, 1}}};
}

double Det(const double m[3][3]) {
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
         m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

}  // namespace

Geocentric HelmertToWgs84(const Helmert& h, const Geocentric& g) {
  const Matrix r = Rotation(h);
  const double k = 1 + h.s * 1e-6;
  return {h.tx + k * (r.m[0][0] * g.x + r.m[0][1] * g.y + r.m[0][2] * g.z),
          h.ty + k * (r.m[1][0] * g.x + r.m[1][1] * g.y + r.m[1][2] * g.z),
          h.tz + k * (r.m[2][0] * g.x + r.m[2][1] * g.y + r.m[2][2] * g.z)};
}

// R X = (X' - T) / (1 + s), solved by Cramer's rule.
Geocentric HelmertFromWgs84(const Helmert& h, const Geocentric& g) {
  const Matrix r = Rotation(h);
  const double k = 1 + h.s * 1e-6;
  const double b[3] = {(g.x - h.tx) / k, (g.y - h.ty) / k, (g.z - h.tz) / k};
  const double d = Det(r.m);
  double x[3];
  for (int col = 0; col < 3; ++col) {
    double m[3][3];
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) m[i][j] = j == col ? b[i] : r.m[i][j];
    }
    x[col] = Det(m) / d;
  }
  return {x[0], x[1], x[2]};
}

GeoPoint DatumToWgs84(const Helmert& h, const Ellipsoid& local, double lat, double lon) {
  return ToGeodetic(kWgs84, HelmertToWgs84(h, ToGeocentric(local, lat, lon, 0)));
}

GeoPoint Wgs84ToDatum(const Helmert& h, const Ellipsoid& local, double lat, double lon) {
  return ToGeodetic(local, HelmertFromWgs84(h, ToGeocentric(kWgs84, lat, lon, 0)));
}

}  // namespace orbelin
