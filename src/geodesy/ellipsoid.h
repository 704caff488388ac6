// The reference ellipsoid and the radii and meridian arc built on it.
//
// Notation: a semi-major axis and b semi-minor axis (metres), f flattening,
// e2 first and ep2 second eccentricity squared, n = (a - b) / (a + b),
// A..E the coefficients of the meridian arc series
//   S(phi) = A phi - B sin 2phi + C sin 4phi - D sin 6phi + E sin 8phi,
// phi a latitude in radians.
#pragma once

namespace orbelin {

struct Ellipsoid {
  double a;
  double f;
  double b;
  double e2;
  double ep2;
  double n;
  double arc_a, arc_b, arc_c, arc_d, arc_e;
};

// (a^2 - b^2) / a^2.
constexpr double FirstEccSq(double a, double b) {
  return (a * a - b * b) / (a * a);
}
// (a^2 - b^2) / b^2.
constexpr double SecondEccSq(double a, double b) {
  return (a * a - b * b) / (b * b);
}

// Everything from a and f alone, in a fixed order of operations (the
// conversions are bit-exact only with exactly these roundings). Only + - * /
// are used, so the compile-time value is the one a run-time call gives.
constexpr Ellipsoid DeriveEllipsoid(double a, double f) {
  Ellipsoid e{};
  e.a = a;
  e.f = f;
  const double inv_f = 1 / f;
  e.b = a * (inv_f - 1) / inv_f;
  e.e2 = FirstEccSq(a, e.b);
  e.ep2 = SecondEccSq(a, e.b);
  const double n = (a - e.b) / (a + e.b);
  e.n = n;
  const double n2 = n * n;
  const double n3 = n * n * n;
  const double n4 = n * n * n * n;
  const double n5 = n * n * n * n * n;
  e.arc_a = a * ((1 - n) + 5 * (n2 - n3) / 4 + 81 * (n4 - n5) / 64);
  e.arc_b = 3 * (a * ((n - n2) + 7 * (n3 - n4) / 8 + 55 * n5 / 64)) / 2;
  e.arc_c = 15 * (a * ((n2 - n3) + 3 * (n4 - n5) / 4)) / 16;
  e.arc_d = 35 * (a * ((n3 - n4) + 11 * n5 / 16)) / 48;
  e.arc_e = 315 * (a * (n4 - n5)) / 512;
  return e;
}

// WGS 84, the reference ellipsoid of the UTM grid and the geodesics; f is
// the stored decimal, not 1/298.257223563 computed at run time.
inline constexpr Ellipsoid kWgs84 = DeriveEllipsoid(6378137.0, 0.003352810664747481);

// WGS 84 as the distance function DISTVINCENTY takes it: the semi-minor axis
// as published to 0.1 mm (6356752.3142), not derived from f. Only a, b and f
// are used from it.
inline constexpr Ellipsoid kWgs84Vincenty = [] {
  Ellipsoid e = kWgs84;
  e.b = 6356752.3142;
  return e;
}();

// a (1 - e2) / W^3 with W = sqrt(1 - e2 sin^2 phi).
double MeridianRadius(double a, double e2, double phi);
// a / sqrt(1 - e2 sin^2 phi).
double PrimeVerticalRadius(double a, double e2, double phi);
// The meridian arc from the equator to phi, summed left to right. Accurate
// to well below a millimetre for |phi| <= pi/2.
double MeridianArc(const Ellipsoid& e, double phi);

}  // namespace orbelin
