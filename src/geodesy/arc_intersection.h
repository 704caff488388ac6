// The arc intersection: the two points at given distances from two known
// points, constructed in the Gauss-Krueger plane of the first point's strip.
//
// Notation: Pi = (Ri, Hi) the plane images, d the distance between them,
// a the distance from P1 to the foot of the common chord, h half the chord,
// (e, o) the unit vector from P1 to P2 (east and north parts). Solution A
// lies left of the line P1 -> P2, B right of it.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/exact_arc_intersection.h"
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

// What BogenSchnitt found, for the caller to explain its answer or its NaN.
struct ArcIntersectionReport {
  enum class Outcome {
    kAnswer,      // the points were given
    kSameCentre,  // the two centres are one point
    kApart,       // each circle lies outside the other
    kInside,      // one circle lies inside the other
    kNoInput,     // NaN input
    kTooFar,      // a point further than kErrorBound from the exact ones, or none found
  };
  Outcome outcome = Outcome::kAnswer;
  // The intersection of the geodesic circles on the ground ellipsoid, when
  // the plane gave points to measure against it.
  GeodesicCircles exact{};
  // Metres from each point to the nearer exact intersection on the ground
  // ellipsoid, or, when the circles miss each other there, to where they
  // come closest (infinite: nothing to measure against); 0 when no point
  // was measured. nearer_a, nearer_b: whether that is exact.a (else
  // exact.b). own_off: the same, the farther point, on the plane's own
  // ellipsoid, which decides the bound.
  double off_a = 0, off_b = 0, own_off = 0;
  bool nearer_a = true, nearer_b = false;
  double off() const { return off_a > off_b ? off_a : off_b; }
  // The circles miss in the plane but meet on the ellipsoid: the touching
  // point was given for both.
  bool touching = false;
  // The plane picture: the distance between the centres and the radii.
  double d = 0, r1 = 0, r2 = 0;
};

// How far the plane circles miss each other, metres; 0 or less when they meet.
double CircleGap(const ArcIntersectionReport& r);
// The angle at which the plane circles cross, degrees in [0, 90].
double CrossingAngle(const ArcIntersectionReport& r);

// Both intersections of the circle of radius r1 (metres) around p1 and of
// radius r2 around p2. The radii are plane distances in the GK strip on the
// Bessel ellipsoid (no datum shift), which differ from lengths on the ground
// by 1e-4 to 5e-4: measured radii of 1 km give points up to 0.2 m off, and
// circles crossing at a narrow angle magnify that (1 / sine of the angle).
// Circles that meet in the plane or on the Bessel ellipsoid count as
// meeting: when the plane circles just miss each other while the geodesic
// circles (the same radii on the Bessel ellipsoid) still meet, both
// solutions are the plane's touching point, the foot of the chord. Circles
// that miss both ways and equal centres give NaN for all four values, and
// so does a pair with a point more than kErrorBound (1 km) from the
// intersection of the geodesic circles on the plane's own ellipsoid
// (IntersectGeodesicCircles), or from where they come closest when they
// miss there: where the construction itself breaks down, in radii of
// several hundred km, or of tens of km where the circles barely cross. The
// report measures the points against the intersection on `ground` as well,
// where the given coordinates and lengths belong. With a trace sink, writes
// the BogenSchnitt trace; with a report, records what was found.
ArcIntersection BogenSchnitt(const Ellipsoid& ground, const GaussKruegerEllipsoid& plane,
                             GeoPoint p1, GeoPoint p2, double r1, double r2, TextSink* trace,
                             ArcIntersectionReport* report = nullptr);

// BogenSchnitt without the bound and without the ellipsoid: the plane's
// points whenever the plane circles meet, for measuring the construction
// itself.
ArcIntersection BogenSchnittInPlane(const GaussKruegerEllipsoid& plane, GeoPoint p1, GeoPoint p2,
                                    double r1, double r2, TextSink* trace,
                                    ArcIntersectionReport* report = nullptr);

}  // namespace orbelin
