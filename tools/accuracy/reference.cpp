#include "reference.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geodesy/gauss_krueger.h"

namespace orbelin::accuracy {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double Rad(double degrees) {
  return degrees * M_PI / 180;
}

// The distance from p to x and its gradient at x, the unit vector away
// from p.
double DistanceTo(const Geodesic& g, GeoPoint p, GeoPoint x, double* gradient) {
  double s, azi1, azi2;
  g.Inverse(p.lat, p.lon, x.lat, x.lon, s, azi1, azi2);
  gradient[0] = std::sin(Rad(azi2));
  gradient[1] = std::cos(Rad(azi2));
  return s;
}

}  // namespace

const Geodesic& Wgs84() {
  return Geodesic::WGS84();
}

const Geodesic& Bessel() {
  static const Geodesic g(kBessel.surface.a, kBessel.surface.f);
  return g;
}

GeoPoint From(const Geodesic& g, GeoPoint p, double azimuth, double distance) {
  GeoPoint q;
  g.Direct(p.lat, p.lon, azimuth, distance, q.lat, q.lon);
  return q;
}

double Distance(const Geodesic& g, GeoPoint p, GeoPoint q) {
  double s;
  g.Inverse(p.lat, p.lon, q.lat, q.lon, s);
  return s;
}

double Azimuth(const Geodesic& g, GeoPoint from, GeoPoint to) {
  double s, azi1, azi2;
  g.Inverse(from.lat, from.lon, to.lat, to.lon, s, azi1, azi2);
  return azi1;
}

bool IsPoint(GeoPoint x) {
  return std::fabs(x.lat) <= 90 && std::isfinite(x.lon);
}

ConditionsAt CrossConditions(const Geodesic& g, GeoPoint o1, double b1, GeoPoint o2, double b2) {
  return [&g, o1, b1, o2, b2](GeoPoint q) {
    Conditions c;
    const GeoPoint o[2] = {o1, o2};
    const double b[2] = {b1, b2};
    for (int k = 0; k < 2; ++k) {
      double s12, azi1, azi2, m12, big_m12, big_m21;
      g.Inverse(o[k].lat, o[k].lon, q.lat, q.lon, s12, azi1, azi2, m12, big_m12, big_m21);
      const double turn = Rad(std::remainder(azi1 - b[k], 180.0));
      c.value[k] = m12 * std::sin(turn);
      const double ue = std::sin(Rad(azi2)), un = std::cos(Rad(azi2));
      c.gradient[k][0] = std::cos(turn) * un + std::sin(turn) * big_m21 * ue;
      c.gradient[k][1] = -std::cos(turn) * ue + std::sin(turn) * big_m21 * un;
    }
    return c;
  };
}

ConditionsAt CenterConditions(const Geodesic& g, GeoPoint p1, GeoPoint p2, GeoPoint p3) {
  return [&g, p1, p2, p3](GeoPoint q) {
    double grad[3][2];
    const double s1 = DistanceTo(g, p1, q, grad[0]);
    const double s2 = DistanceTo(g, p2, q, grad[1]);
    const double s3 = DistanceTo(g, p3, q, grad[2]);
    Conditions c;
    c.value[0] = s1 - s2;
    c.value[1] = s2 - s3;
    for (int k = 0; k < 2; ++k) {
      c.gradient[0][k] = grad[0][k] - grad[1][k];
      c.gradient[1][k] = grad[1][k] - grad[2][k];
    }
    return c;
  };
}

ConditionsAt CircleConditions(const Geodesic& g, GeoPoint p1, GeoPoint p2, double r1, double r2) {
  return [&g, p1, p2, r1, r2](GeoPoint q) {
    Conditions c;
    c.value[0] = DistanceTo(g, p1, q, c.gradient[0]) - r1;
    c.value[1] = DistanceTo(g, p2, q, c.gradient[1]) - r2;
    return c;
  };
}

GeoPoint Root(const Geodesic& g, const ConditionsAt& at, GeoPoint x) {
  const GeoPoint none{std::nan(""), std::nan("")};
  if (!IsPoint(x)) return none;
  // Where the conditions are nearly parallel, the rounding of the
  // distances (1e-9 m) keeps Newton's steps from settling: the point with
  // the smallest residual is then the root, as far as doubles tell.
  GeoPoint best = none;
  double best_residual = kInf;
  for (int round = 0; round < 60; ++round) {
    const Conditions c = at(x);
    const double residual = std::hypot(c.value[0], c.value[1]);
    if (residual < best_residual) {
      best_residual = residual;
      best = x;
    }
    const double(&j)[2][2] = c.gradient;
    const double det = j[0][0] * j[1][1] - j[0][1] * j[1][0];
    if (!std::isfinite(det) || det == 0) return none;
    const double east = -(c.value[0] * j[1][1] - j[0][1] * c.value[1]) / det;
    const double north = -(j[0][0] * c.value[1] - c.value[0] * j[1][0]) / det;
    const double step = std::min(std::hypot(east, north), 1e6);
    if (!std::isfinite(step)) return none;
    x = From(g, x, std::atan2(east, north) * 180 / M_PI, step);
    if (step < 1e-6) return x;
  }
  return best_residual < 1e-6 ? best : none;
}

GeoPoint Closest(const Geodesic& g, GeoPoint p1, GeoPoint p2, double r1, double r2) {
  double d, azi1, azi2;
  g.Inverse(p1.lat, p1.lon, p2.lat, p2.lon, d, azi1, azi2);
  const double apart = d - r1 - r2, inside = std::fabs(r1 - r2) - d;
  if (apart >= inside) return From(g, p1, azi1, r1 + apart / 2);
  if (r1 > r2) return From(g, p1, azi1, (r1 + d + r2) / 2);
  return From(g, p1, azi1 + 180, (r1 + r2 - d) / 2);
}

}  // namespace orbelin::accuracy
