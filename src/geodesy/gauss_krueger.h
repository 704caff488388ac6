// Geographic <-> Gauss-Krueger on the Bessel ellipsoid in 3-degree strips,
// by the classical truncated series. No datum shift: latitude and longitude
// enter the Bessel series as given.
//
// Notation: B latitude in radians, rho = 180 / GeoPi, G the meridian arc,
// eta2 = e'^2 cos^2 B, N the prime vertical radius, t = tan B, l the
// longitude difference from the strip's central meridian 3k degrees times
// cos B; Bf the footpoint latitude, y the easting from the central meridian,
// u = y / Nf. R (Rechtswert) = k 1000000 + 500000 + y, H (Hochwert) the
// northing from the equator.
#pragma once

#include "geodesy/angles.h"

namespace orbelin {

class ResultStream;

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
GaussKruegerPoint Geo2GK(double lat, double lon, int k);

// Back to latitude and longitude; the strip is floor(R / 1000000), which is
// the point's own strip only while it lies within 500 km of the meridian.
// Good to 1 mm within the strip, 5 mm at 3 degrees, 0.3 m at 6 degrees.
// With a trace stream, writes the GK2Geo trace.
GeoPoint GK2Geo(double r, double h, ResultStream* trace);

// G + (M + m1/10 + m2/100 + m3/1000) / 60: degrees and minutes typed digit by
// digit. The minutes are added also for negative G (-7, 30 gives -6.5).
double Gmmmm(double g, double m, double m1, double m2, double m3);

}  // namespace orbelin
