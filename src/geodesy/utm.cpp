// Variable names follow the notation key in geodesy/utm.h.
#include "geodesy/utm.h"

#include "base/int_conversion.h"
#include "base/maths.h"

namespace orbelin {

int UtmZone(double lon) {
  // trunc(lon / 6) is whole, so adding in double is exact wherever the int
  // sum would be, and TruncToInt makes the rest defined.
  const double base = maths::trunc(lon / 6);
  return TruncToInt(lon <= 0 ? base + 30 : base + 31);
}

signed char UtmBand(double lat) {
  if (!(lat >= -80 && lat < 84)) return '*';  // NaN lands here too
  if (lat >= 72) return 'X';
  int index = TruncToInt((lat + 80) / 8);
  if (index > 19) index = 19;  // rounding of lat + 80 just below 72
  return UtmBandLetters[index];
}

UtmPosition Geo2Utm(const Ellipsoid& e, double lat, double lon) {
  UtmPosition u;
  u.zone = UtmZone(lon);
  u.band = UtmBand(lat);
  const double d = UtmPi / 180;
  const double phi = lat * d;
  const double lambda = lon * d;
  // 6 zone - 183 in double: the same value as the int product for real zones,
  // and no overflow for the saturated ones.
  const double p = lambda - (6.0 * u.zone - 183) * d;
  const double s = maths::sin(phi);
  const double c = maths::cos(phi);
  const double t = s / c;
  const double eta2 = e.ep2 * (c * c);
  const double nu = PrimeVerticalRadius(e.a, e.e2, phi);
  const double arc = MeridianArc(e, phi);
  const double k0 = UtmScale;
  const double t2 = t * t;
  const double eta4 = eta2 * eta2;
  const double c3 = c * c * c;
  const double k1 = arc * k0;
  const double k2 = nu * s * c * k0 / 2;
  const double k3 = nu * s * c3 * k0 * (5 - t2 + 9 * eta2 + 4 * eta4) / 24;
  const double false_northing = phi < 0 ? UtmFalseNorthing : 0.0;
  const double p2 = p * p;
  const double p4 = p * p * p * p;
  u.northing = false_northing + k1 + k2 * p2 + k3 * p4;
  const double k4 = nu * c * k0;
  const double k5 = nu * c3 * k0 * (1 - t2 + eta2) / 6;
  u.easting = k4 * p + UtmFalseEasting + k5 * (p * p * p);
  if (u.northing >= UtmMaxNorthing) u.northing = UtmMaxNorthing;
  return u;
}

GeoPoint Utm2Geo(const Ellipsoid& e, int zone, signed char band, double easting, double northing) {
  const double d = GeoPi / 180;
  const double r = 180 / GeoPi;
  const bool southern = (band >= 'C' && band <= 'M') || (band >= 'c' && band <= 'm');
  const double k0 = UtmScale;
  const double m = (northing - (southern ? UtmFalseNorthing : 0.0)) / k0;

  // Footpoint latitude: five fixed corrections, enough for the series.
  double phi = m / MeridianRadius(e.a, e.e2, 0);
  for (int i = 0; i < 5; ++i) {
    phi = phi + (m - MeridianArc(e, phi)) / MeridianRadius(e.a, e.e2, phi);
  }

  const double rho = MeridianRadius(e.a, e.e2, phi);
  const double nu = PrimeVerticalRadius(e.a, e.e2, phi);
  const double s = maths::sin(phi);
  const double c = maths::cos(phi);
  const double t = s / c;
  const double eta2 = e.ep2 * (c * c);
  const double q = easting - UtmFalseEasting;
  const double t2 = t * t;
  const double eta4 = eta2 * eta2;
  const double q2 = q * q;
  const double q3 = q * q * q;
  const double q4 = q * q * q * q;
  const double nu3 = nu * nu * nu;
  const double k02 = k0 * k0;
  const double k03 = k0 * k0 * k0;
  const double k04 = k0 * k0 * k0 * k0;

  const double lat =
      phi - q2 * t / (2 * rho * nu * k02) +
      q4 * t * (5 + 3 * t2 + eta2 - 4 * eta4 - 9 * t2 * eta2) / (24 * rho * nu3 * k04);
  const double lon =
      (6.0 * zone - 183) * d + q / (nu * c * k0) - q3 * (1 + 2 * t2 + eta2) / (6 * nu3 * c * k03);
  return {lat * r, lon * r};
}

}  // namespace orbelin
