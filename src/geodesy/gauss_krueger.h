// Geographic <-> Gauss-Krueger on the Bessel ellipsoid in 3-degree strips,
// by the classical truncated series. No datum shift: latitude and longitude
// enter the Bessel series as given, so for WGS 84 input the grid values lie
// 100 to 150 m from the official DHDN grid of German maps.
//
// Source: the series in powers of the longitude difference of L. Krueger,
// "Konforme Abbildung des Erdellipsoids in der Ebene", Veroeffentlichung des
// Koeniglich Preussischen Geodaetischen Institutes, Neue Folge 52, Potsdam
// 1912, with the constants of F. W. Bessel's ellipsoid of 1841 as the German
// survey tabulated them (meridian arc per degree, footpoint latitude in arc
// seconds). The constants are laid out below as they are tabulated.
//
// Notation: B latitude in radians, rho = 180 / GeoPi, G the meridian arc,
// eta2 = e'^2 cos^2 B, N the prime vertical radius, t = tan B, l the
// longitude difference from the strip's central meridian 3k degrees times
// cos B; Bf the footpoint latitude, y the easting from the central meridian,
// u = y / Nf. R (Rechtswert) = k 1000000 + 500000 + y, H (Hochwert) the
// northing from the equator.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"

namespace orbelin {

class TextSink;

// An ellipsoid as the Gauss-Krueger series take it: the series use their
// own tabulated constants, not values derived from a and f.
struct GaussKruegerEllipsoid {
  double ep2;           // e'^2, second eccentricity squared
  double polar_radius;  // c, polar radius of curvature, metres
  // Meridian arc G(B) = arc_deg B[deg] - arc_2 sin 2B + arc_4 sin 4B
  //                     - arc_6 sin 6B + arc_8 sin 8B, metres
  double arc_deg, arc_2, arc_4, arc_6, arc_8;
  double quadrant;  // meridian quadrant, metres: sigma = H / quadrant
  // Footpoint latitude Bf = foot_seconds sigma (1 - foot1 s + foot2 s^2
  //   - foot3 s^3 + foot4 s^4 - foot5 s^5 + foot6 s^6), s = sigma^2, in arc
  //   seconds
  double foot_seconds, foot1, foot2, foot3, foot4, foot5, foot6;
  // The ellipsoid itself, on which the constructions in this plane measure
  // their answers with geodesics.
  Ellipsoid surface;
};

// The series constants five to a line, as tabulated.
// clang-format off
inline constexpr GaussKruegerEllipsoid kBessel = {
    0.0067192188,  6398786.849,   111120.61962,  15988.63853,  16.72995,
    0.02178,       0.00003,       10000855.7646, 325632.08677, 0.00831729565,
    0.00424914906, 0.00113566119, 0.00022976983, 0.0000436398, 0.00000562025,
    DeriveEllipsoid(6377397.155, 1 / 299.1528128),
};
// clang-format on

struct GaussKruegerPoint {
  double r = 0.0;  // Rechtswert, strip number in the millions
  double h = 0.0;  // Hochwert
};

// floor((lon + 1.5) / 3): strip k covers [3k - 1.5, 3k + 1.5).
double Mkz(double lon);
// Mkz as an int; NaN gives 0, values beyond the int range saturate.
int MkzStrip(double lon);

// The point in strip k. Within the strip (1.5 degrees of its meridian) the
// series agrees with an exact Bessel transverse Mercator to 1.3 mm, at 3
// degrees to 2.4 mm, at 6 degrees to 0.2 m (docs/accuracy.md).
GaussKruegerPoint Geo2GK(const GaussKruegerEllipsoid& e, double lat, double lon, int k);

// Back to latitude and longitude; the strip is floor(R / 1000000), which is
// the point's own strip only while it lies within 500 km of the meridian.
// Good to 1 mm within the strip, 5 mm at 3 degrees, 0.3 m at 6 degrees.
// With a trace sink, writes the GK2Geo trace.
GeoPoint GK2Geo(const GaussKruegerEllipsoid& e, double r, double h, TextSink* trace);

// G + (M + m1/10 + m2/100 + m3/1000) / 60: degrees and minutes typed digit by
// digit. The minutes are added also for negative G (-7, 30 gives -6.5).
double Gmmmm(double g, double m, double m1, double m2, double m3);

}  // namespace orbelin
