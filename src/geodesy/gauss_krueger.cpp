// Variable names follow the notation key in geodesy/gauss_krueger.h.
#include "geodesy/gauss_krueger.h"

#include "base/int_conversion.h"
#include "base/maths.h"
#include "base/text_sink.h"

namespace orbelin {

namespace {

constexpr double kRho = 180 / GeoPi;

}  // namespace

double Mkz(double lon) {
  return maths::floor((lon + 1.5) / 3);
}

int MkzStrip(double lon) {
  return TruncToInt(Mkz(lon));
}

GaussKruegerPoint Geo2GK(const GaussKruegerEllipsoid& e, double lat, double lon, int k) {
  const double b = lat / kRho;
  const double g = e.arc_deg * lat - e.arc_2 * maths::sin(2 * b) + e.arc_4 * maths::sin(4 * b) -
                   e.arc_6 * maths::sin(6 * b) + e.arc_8 * maths::sin(8 * b);
  const double cos_b = maths::cos(b);
  const double eta2 = e.ep2 * (cos_b * cos_b);
  const double n = e.polar_radius / maths::sqrt(1 + eta2);
  const double t = maths::sin(b) / cos_b;
  // 3.0 * k: the int product for real strips, no overflow for saturated ones.
  const double l = cos_b * (lon - 3.0 * k) / kRho;
  const double t2 = t * t;
  const double l2 = l * l;
  const double l3 = l * l * l;
  const double l4 = l * l * l * l;
  const double l5 = l * l * l * l * l;

  GaussKruegerPoint p;
  p.h = g + n * t * l2 / 2 + n * t * l4 * (5 - t2 + 9 * eta2) / 24;
  const double y = n * l + n * l3 * (1 - t2 + eta2) / 6 + n * l5 * (5 - 18 * t2 + t2 * t2) / 120;
  p.r = y + 1000000.0 * k + 500000;  // added in this order
  return p;
}

GeoPoint GK2Geo(const GaussKruegerEllipsoid& e, double r, double h, TextSink* trace) {
  if (trace) {
    trace->Write("--> GK2Geo\n");
    trace->Printf("R=%.1f H=%.1f\n", r, h);
  }
  const int k = FloorToInt(r / 1000000);
  const double y = r - 1000000.0 * k - 500000;
  const double sigma = h / e.quadrant;
  const double s = sigma * sigma;
  // Horner's scheme from the highest power down.
  double p = e.foot6 * s - e.foot5;
  p = p * s + e.foot4;
  p = p * s - e.foot3;
  p = p * s + e.foot2;
  p = p * s - e.foot1;
  p = p * s + 1;
  const double bf = p * sigma * e.foot_seconds / 3600 / kRho;  // arc seconds -> radians

  const double cos_bf = maths::cos(bf);
  const double eta2 = e.ep2 * (cos_bf * cos_bf);
  const double nf = e.polar_radius / maths::sqrt(1 + eta2);
  const double t = maths::sin(bf) / cos_bf;
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
