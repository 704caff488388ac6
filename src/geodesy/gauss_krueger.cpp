// Variable names follow the notation key in geodesy/gauss_krueger.h.
#include "geodesy/gauss_krueger.h"

#include <cmath>

#include "interp/int_conversion.h"
#include "interp/result_stream.h"

namespace orbelin {

namespace {

// Bessel 1841.
constexpr double kEp2 = 0.0067192188;         // second eccentricity squared
constexpr double kPolarRadius = 6398786.849;  // c, polar radius of curvature
constexpr double kQuadrant = 10000855.7646;   // meridian quadrant
constexpr double kRho = 180 / GeoPi;

}  // namespace

double Mkz(double lon) {
  return std::floor((lon + 1.5) / 3);
}

int MkzStrip(double lon) {
  return TruncToInt(Mkz(lon));
}

GaussKruegerPoint Geo2GK(double lat, double lon, int k) {
  const double b = lat / kRho;
  const double g = 111120.61962 * lat - 15988.63853 * std::sin(2 * b) + 16.72995 * std::sin(4 * b) -
                   0.02178 * std::sin(6 * b) + 0.00003 * std::sin(8 * b);
  const double cos_b = std::cos(b);
  const double eta2 = kEp2 * (cos_b * cos_b);
  const double n = kPolarRadius / std::sqrt(1 + eta2);
  const double t = std::sin(b) / cos_b;
  // 3.0 * k: the int product for real strips, no overflow for saturated ones.
  const double l = cos_b * (lon - 3.0 * k) / kRho;
  const double t2 = t * t;
  const double l2 = l * l;
  const double l3 = l * l * l;
  const double l4 = l * l * l * l;
  const double l5 = l * l * l * l * l;

  GaussKruegerPoint p;
  p.h = g + n * t * l2 / 2 + n * t * l4 * (5 - t2 + 9 * eta2) / 24;
  p.r = n * l + n * l3 * (1 - t2 + eta2) / 6 + n * l5 * (5 - 18 * t2 + t2 * t2) / 120;
  p.r = p.r + 1000000.0 * k;
  p.r = p.r + 500000;
  return p;
}

GeoPoint GK2Geo(double r, double h, ResultStream* trace) {
  if (trace) {
    trace->Write("--> GK2Geo\n");
    trace->Printf("R=%.1f H=%.1f\n", r, h);
  }
  const int k = FloorToInt(r / 1000000);
  const double y = r - 1000000.0 * k - 500000;
  const double sigma = h / kQuadrant;
  const double s = sigma * sigma;
  double p = 0.00000562025 * s - 0.0000436398;
  p = p * s + 0.00022976983;
  p = p * s - 0.00113566119;
  p = p * s + 0.00424914906;
  p = p * s - 0.00831729565;
  p = p * s + 1;
  const double bf = p * sigma * 325632.08677 / 3600 / kRho;  // arc seconds -> radians

  const double cos_bf = std::cos(bf);
  const double eta2 = kEp2 * (cos_bf * cos_bf);
  const double nf = kPolarRadius / std::sqrt(1 + eta2);
  const double t = std::sin(bf) / cos_bf;
  const double u = y / nf;
  const double t2 = t * t;
  const double u2 = u * u;
  const double u3 = u * u * u;
  const double u4 = u * u * u * u;
  const double u5 = u * u * u * u * u;

  const double phi =
      bf - t * (1 + eta2) * u2 / 2 + t * (5 + 3 * t2 + 6 * eta2 - 6 * t2 * eta2) * u4 / 24;
  GeoPoint g;
  g.lat = phi * kRho;
  g.lon = (u - (1 + 2 * t2 + eta2) * u3 / 6 + (5 + 28 * t2 + 24 * (t2 * t2)) * u5 / 120) * kRho /
              cos_bf +
          3.0 * k;
  if (trace) trace->Write("<-- GK2Geo\n");
  return g;
}

double Gmmmm(double g, double m, double m1, double m2, double m3) {
  return g + (m + m1 / 10 + m2 / 100 + m3 / 1000) / 60;
}

}  // namespace orbelin
