#include "geodesy/swiss_grid.h"

#include <algorithm>
#include <numbers>

#include "base/maths.h"
#include "geodesy/helmert.h"
#include "geodesy/lv03_distortion.h"

namespace orbelin {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;
constexpr Ellipsoid kBesselSurface = DeriveEllipsoid(6377397.155, 1 / 299.1528128);
// CH1903+ to WGS 84: translations only.
constexpr Helmert kCh1903Plus = {674.374, 15.056, 405.346, 0, 0, 0, 0};
constexpr double kLat0 = 46 + 57 / 60.0 + 8.66 / 3600;
constexpr double kLon0 = 7 + 26 / 60.0 + 22.50 / 3600;
constexpr double kFalseEast = 2600000, kFalseNorth = 1200000;

struct Constants {
  double e, r, alpha, b0, k;
};

Constants Make() {
  const double e2 = kBesselSurface.e2, e = maths::sqrt(e2);
  const double phi0 = kLat0 * kDegree;
  const double s0 = maths::sin(phi0), c0 = maths::cos(phi0);
  Constants c{};
  c.e = e;
  c.r = kBesselSurface.a * maths::sqrt(1 - e2) / (1 - e2 * s0 * s0);
  c.alpha = maths::sqrt(1 + e2 / (1 - e2) * c0 * c0 * c0 * c0);
  c.b0 = maths::asin(s0 / c.alpha);
  c.k = maths::log(maths::tan(kPi / 4 + c.b0 / 2)) -
        c.alpha * maths::log(maths::tan(kPi / 4 + phi0 / 2)) +
        c.alpha * e / 2 * maths::log((1 + e * s0) / (1 - e * s0));
  return c;
}

const Constants& C() {
  static const Constants c = Make();
  return c;
}

}  // namespace

PlanePoint SwissForward(double lat, double lon) {
  const Constants& c = C();
  const double phi = lat * kDegree;
  const double sp = maths::sin(phi);
  // The conformal sphere.
  const double s = c.alpha * maths::log(maths::tan(kPi / 4 + phi / 2)) -
                   c.alpha * c.e / 2 * maths::log((1 + c.e * sp) / (1 - c.e * sp)) + c.k;
  const double b = 2 * (maths::atan(maths::exp(s)) - kPi / 4);
  const double l = c.alpha * (lon - kLon0) * kDegree;
  // Turned about the origin, then Mercator.
  const double lb = maths::atan2(
      maths::sin(l), maths::sin(c.b0) * maths::tan(b) + maths::cos(c.b0) * maths::cos(l));
  const double bb = maths::asin(maths::cos(c.b0) * maths::sin(b) -
                                maths::sin(c.b0) * maths::cos(b) * maths::cos(l));
  return {kFalseEast + c.r * lb,
          kFalseNorth + c.r / 2 * maths::log((1 + maths::sin(bb)) / (1 - maths::sin(bb)))};
}

GeoPoint SwissInverse(double east, double north) {
  const Constants& c = C();
  const double lb = (east - kFalseEast) / c.r;
  const double bb = 2 * (maths::atan(maths::exp((north - kFalseNorth) / c.r)) - kPi / 4);
  const double b = maths::asin(maths::cos(c.b0) * maths::sin(bb) +
                               maths::sin(c.b0) * maths::cos(bb) * maths::cos(lb));
  const double l = maths::atan2(
      maths::sin(lb), maths::cos(c.b0) * maths::cos(lb) - maths::sin(c.b0) * maths::tan(bb));
  // The latitude from the conformal one, by fixed-point iteration: each
  // step gains more than two digits.
  const double base = (maths::log(maths::tan(kPi / 4 + b / 2)) - c.k) / c.alpha;
  double phi = b;
  for (int i = 0; i < 20; ++i) {
    const double s =
        base + c.e * maths::log(maths::tan(kPi / 4 + maths::asin(c.e * maths::sin(phi)) / 2));
    const double next = 2 * maths::atan(maths::exp(s)) - kPi / 2;
    const bool settled = maths::fabs(next - phi) < 1e-15;
    phi = next;
    if (settled) break;
  }
  return {phi / kDegree, kLon0 + l / c.alpha / kDegree};
}

PlanePoint Wgs84ToLv95(double lat, double lon) {
  const GeoPoint g = Wgs84ToDatum(kCh1903Plus, kBesselSurface, lat, lon);
  return SwissForward(g.lat, g.lon);
}

GeoPoint Lv95ToWgs84(double east, double north) {
  const GeoPoint g = SwissInverse(east, north);
  return DatumToWgs84(kCh1903Plus, kBesselSurface, g.lat, g.lon);
}

PlanePoint Lv03Distortion(double lat, double lon) {
  using namespace lv03;
  if (!(maths::isfinite(lat) && maths::isfinite(lon))) return {0, 0};
  // Bilinear between the four samples around the position.
  const double fi = std::clamp((lat - kSouth) / kStep, 0.0, kRows - 1.0);
  const double fj = std::clamp((lon - kWest) / kStep, 0.0, kColumns - 1.0);
  const int i = std::min(static_cast<int>(fi), kRows - 2);
  const int j = std::min(static_cast<int>(fj), kColumns - 2);
  const double u = fi - i, v = fj - j;
  PlanePoint d;
  for (int k = 0; k < 2; ++k) {
    const double value = (1 - u) * ((1 - v) * kShift[i][j][k] + v * kShift[i][j + 1][k]) +
                         u * ((1 - v) * kShift[i + 1][j][k] + v * kShift[i + 1][j + 1][k]);
    (k == 0 ? d.x : d.y) = value / 100;
  }
  return d;
}

PlanePoint Wgs84ToLv03(double lat, double lon) {
  const PlanePoint p = Wgs84ToLv95(lat, lon);
  const PlanePoint d = Lv03Distortion(lat, lon);
  return {p.x - kLv03East + d.x, p.y - kLv03North + d.y};
}

GeoPoint Lv03ToWgs84(double y, double x) {
  // The distortions belong to the position, which they move by 2 m at
  // most: three rounds settle it far below a millimetre.
  GeoPoint g = Lv95ToWgs84(y + kLv03East, x + kLv03North);
  for (int round = 0; round < 3; ++round) {
    const PlanePoint d = Lv03Distortion(g.lat, g.lon);
    g = Lv95ToWgs84(y + kLv03East - d.x, x + kLv03North - d.y);
  }
  return g;
}

bool InSwitzerland(double lat, double lon) {
  return lat >= 45.82 && lat <= 47.81 && lon >= 5.96 && lon <= 10.49;
}

}  // namespace orbelin
