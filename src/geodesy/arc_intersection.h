// The arc intersection: the two points at given distances from two known
// points, constructed in the Gauss-Krueger plane of the first point's strip.
//
// Notation: Pi = (Ri, Hi) the plane images, d the distance between them,
// a the distance from P1 to the foot of the common chord, h half the chord,
// (e, o) the unit vector from P1 to P2 (east and north parts). Solution A
// lies left of the line P1 -> P2, B right of it.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/gauss_krueger.h"

namespace orbelin {

class TextSink;

struct CirclePoints {
  GaussKruegerPoint a;
  GaussKruegerPoint b;
};

// The plane construction. False, with *out untouched, when the centres are
// equal (d = 0) or the circles do not meet (r1^2 < a^2), which includes NaN
// input. A negative r1^2 - a^2 that is only rounding (within 1e-12 r1^2)
// counts as touching: h = 0 and both points coincide.
bool IntersectCircles(GaussKruegerPoint p1, GaussKruegerPoint p2, double r1, double r2,
                      CirclePoints* out);

struct ArcIntersection {
  GeoPoint a;
  GeoPoint b;
};

// Both intersections of the circle of radius r1 (metres) around p1 and of
// radius r2 around p2. The radii are plane distances in the GK strip on the
// Bessel ellipsoid (no datum shift), which differ from lengths on the ground
// by 1e-4 to 5e-4: measured radii of 1 km give points up to 0.2 m off.
// Circles that do not meet and equal centres give NaN for all four values,
// and so does a pair with a point that ArcIntersectionError puts more than
// kErrorBound (1 km) from the intersection of the geodesic circles on the
// Bessel ellipsoid: radii of several hundred km, or of about 100 km where
// the circles barely cross far from the meridian. With a trace sink, writes
// the BogenSchnitt trace.
ArcIntersection BogenSchnitt(const GaussKruegerEllipsoid& plane, GeoPoint p1, GeoPoint p2,
                             double r1, double r2, TextSink* trace);

// BogenSchnitt without the bound: the plane's points whenever the plane
// circles meet, for measuring the construction itself.
ArcIntersection BogenSchnittInPlane(const GaussKruegerEllipsoid& plane, GeoPoint p1, GeoPoint p2,
                                    double r1, double r2, TextSink* trace);

}  // namespace orbelin
