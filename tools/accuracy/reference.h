// The exact answers of the constructions by GeographicLib, the yardstick:
// each construction is two conditions on a point (on a bearing line, at a
// distance from a centre, equally far from two points), with their
// gradients from GeographicLib's inverse problem, solved by Newton's
// method. Independent of the library measured: only GeographicLib's
// geodesics enter.
#pragma once

#include <GeographicLib/Geodesic.hpp>
#include <functional>

#include "geodesy/angles.h"

namespace orbelin::accuracy {

using GeographicLib::Geodesic;

const Geodesic& Wgs84();
const Geodesic& Bessel();  // Bessel's ellipsoid of 1841, as kBessel.surface

GeoPoint From(const Geodesic& g, GeoPoint p, double azimuth, double distance);
double Distance(const Geodesic& g, GeoPoint p, GeoPoint q);
double Azimuth(const Geodesic& g, GeoPoint from, GeoPoint to);
bool IsPoint(GeoPoint x);

// Two conditions at a point in metres and their gradients there (east,
// north).
struct Conditions {
  double value[2];
  double gradient[2][2];
};
using ConditionsAt = std::function<Conditions(GeoPoint)>;

// On the whole geodesic from o1 under b1 and on that from o2 under b2: how
// far the point lies right of each (reduced length times the sine of the
// turn), with the exact gradients from the reduced length and geodesic
// scale.
ConditionsAt CrossConditions(const Geodesic& g, GeoPoint o1, double b1, GeoPoint o2, double b2);
// s1 - s2 and s2 - s3.
ConditionsAt CenterConditions(const Geodesic& g, GeoPoint p1, GeoPoint p2, GeoPoint p3);
// s1 - r1 and s2 - r2.
ConditionsAt CircleConditions(const Geodesic& g, GeoPoint p1, GeoPoint p2, double r1, double r2);

// Newton's method from x; NaN when it does not settle. Ill-conditioned
// shapes keep a step of the size of the rounding divided by their
// conditioning: after 60 rounds the point with the smallest residual is the
// root, if that residual is below 1 um.
GeoPoint Root(const Geodesic& g, const ConditionsAt& at, GeoPoint x);

// Where circles that miss each other come closest: halfway between them on
// the geodesic through the centres (the circles' gap > 0).
GeoPoint Closest(const Geodesic& g, GeoPoint p1, GeoPoint p2, double r1, double r2);

}  // namespace orbelin::accuracy
