// The centre of the circle through three points, constructed in the
// Gauss-Krueger plane of the first point's strip.
//
// Notation: Pi = (Ri, Hi) the plane images, M12/M23 the midpoints of the
// sides, d1/d2 the directions of their perpendicular bisectors, D the cross
// product d2 x d1, u the parameter of the centre on the second bisector.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/exact_center.h"
#include "geodesy/gauss_krueger.h"

namespace orbelin {

class TextSink;

// What Center found, for the caller to explain its answer or its NaN.
struct CenterReport {
  enum class Outcome {
    kAnswer,       // a centre was given
    kEqualPoints,  // two of the points are one
    kCollinear,    // the three points lie on one line
    kNoInput,      // NaN input, or input that gives no point in the plane
    kTooFar,       // further than kErrorBound from the exact centre, or none was found
  };
  Outcome outcome = Outcome::kAnswer;
  // The exact centre on the ground ellipsoid, when the plane gave a centre
  // to measure against it.
  GeodesicCentre exact{};
  // Metres from the plane's centre to the exact one on the ground ellipsoid
  // (`off`) and on the plane's own (`own_off`, which decides the bound);
  // infinite when there is no exact centre or the plane's is no place on
  // the Earth, 0 when no centre was measured.
  double off = 0, own_off = 0;
  // The plane picture, for describing the cause on demand.
  GaussKruegerPoint p[3]{}, centre{};
};

// The radius of the plane circle through the points, metres.
double CircleRadius(const CenterReport& r);

// The intersection of the bisectors of P1P2 and P2P3. False, with *centre
// untouched, when D is 0 or NaN: two equal points, or points collinear in
// the plane arithmetic.
bool PlaneCircumcentre(GaussKruegerPoint p1, GaussKruegerPoint p2, GaussKruegerPoint p3,
                       GaussKruegerPoint* centre);

// The circumcentre of three geographic points, all taken into the strip of
// the first. The bisectors are straight lines in the plane: for a circle of
// 1 km the centre is within 14 mm of the point equally far from the three on
// the ellipsoid, for 10 km within 0.24 m. Equal or collinear points give NaN
// for both coordinates, and so does a centre more than kErrorBound (1 km)
// from the exact centre on the plane's own ellipsoid (CentreOnEllipsoid),
// or one that has no exact centre to measure it against: where the
// construction itself breaks down, in circles of several hundred km (nearly
// collinear points have huge ones). The report measures the centre against
// the exact one on `ground` as well, where the given coordinates belong. With a trace sink, writes
// the Center trace; with a report, records what was found.
GeoPoint Center(const Ellipsoid& ground, const GaussKruegerEllipsoid& plane, GeoPoint p1,
                GeoPoint p2, GeoPoint p3, TextSink* trace, CenterReport* report = nullptr);

// Center without the bound: the plane's centre whenever D is not 0, for
// measuring the construction itself.
GeoPoint CenterInPlane(const GaussKruegerEllipsoid& plane, GeoPoint p1, GeoPoint p2, GeoPoint p3,
                       TextSink* trace, CenterReport* report = nullptr);

}  // namespace orbelin
