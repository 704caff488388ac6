// The cross bearing: the point seen from two known points under two
// bearings, intersected as straight lines in the Gauss-Krueger plane of the
// first point's strip.
//
// Notation: Pi = (Ri, Hi) the plane images of the two points, di the
// direction of bearing line i (from the image of the point 500 m along the
// bearing), D = d1 x d2, s the parameter of the intersection on line 1.
#pragma once

#include "geodesy/angles.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/exact_cross_bearing.h"
#include "geodesy/gauss_krueger.h"

namespace orbelin {

class TextSink;

// What CrossBearing found, for the caller to explain its answer or its NaN.
struct CrossBearingReport {
  enum class Outcome {
    kAnswer,    // a point was given
    kParallel,  // the lines are parallel
    kSameLine,  // both bearings lie on the line through the two points
    kNoInput,   // NaN input, or input that gives no point in the plane
    kTooFar,    // further than kErrorBound from the exact crossing, or none was found
  };
  Outcome outcome = Outcome::kAnswer;
  // The exact crossing of the geodesics on the sight ellipsoid, when the
  // plane gave a point to measure against it.
  GeodesicCrossing exact{};
  // Metres from the plane's point to the exact crossing (infinite: there
  // is none, or the plane's point is no place on the Earth); 0 when no
  // point was measured. The sight ellipsoid is the plane's own measure too.
  double off = 0;
  // The point lies behind the first or second point: the lines cross, the
  // sights towards the target do not.
  bool behind_first = false, behind_second = false;
  // The plane picture, for describing the cause on demand.
  GaussKruegerPoint p1{}, d1{}, p2{}, d2{}, x{};
};

// The angle at which the lines cross in the plane, degrees in [0, 90].
double CrossingAngle(const CrossBearingReport& r);
// The plane distance from the farther of the two points to the crossing.
double LongerSight(const CrossBearingReport& r);

// Intersection of the lines p1 + s d1 and p2 + t d2. False, with *at
// untouched, when D is 0 or NaN (parallel lines, or one and the same line).
bool IntersectLines(GaussKruegerPoint p1, GaussKruegerPoint d1, GaussKruegerPoint p2,
                    GaussKruegerPoint d2, GaussKruegerPoint* at);

// The intersection of the bearing lines from (lat1, lon1) and (lat2, lon2).
// Whole lines: bearings pointing apart meet behind the points. The lines are
// straight in the plane, so the result drifts from the geodesic intersection
// with the sight distance: within 2 mm at 1 km, 0.16 m at 10 km, 1.5 m at
// 30 km for lines crossing at a wide angle, that divided by the sine of the
// angle for a narrow one. Parallel or identical bearing lines give NaN for
// both coordinates, and so does an intersection more than kErrorBound (1 km)
// from where the geodesics meet (IntersectGeodesics), or one that has no
// exact crossing to measure it against: bearings crossing at hundredths of
// a degree over sights of tens of km, sights of several hundred km. The sight points are found on
// `sight` (the geodesics' ellipsoid), the lines intersected in the Gauss-Krueger plane of `plane`.
// With a trace sink, the traces of the direct problems and of GK2Geo are
// written; with a report, what was found is recorded there.
GeoPoint CrossBearing(const Ellipsoid& sight, const GaussKruegerEllipsoid& plane, double lat1,
                      double lon1, double bearing1, double lat2, double lon2, double bearing2,
                      TextSink* trace, CrossBearingReport* report = nullptr);

// CrossBearing without the bound: the plane's intersection whenever D is
// not 0, for measuring the construction itself.
GeoPoint CrossBearingInPlane(const Ellipsoid& sight, const GaussKruegerEllipsoid& plane,
                             double lat1, double lon1, double bearing1, double lat2, double lon2,
                             double bearing2, TextSink* trace,
                             CrossBearingReport* report = nullptr);

}  // namespace orbelin
