// The direct geodesic problem (end point from a start, an azimuth and a
// distance) by Vincenty's iteration in the form of the NGS routine DIRCT1.
//
// Source: T. Vincenty, "Direct and inverse solutions of geodesics on the
// ellipsoid with application of nested equations", Survey Review 23 (176),
// 88-93, 1975; the variable names are those of the U.S. National Geodetic
// Survey's subroutine DIRCT1 that implements it.
//
// Notation: TU tangent of the reduced latitude, CU/SU its cosine and sine,
// SF/CF sine and cosine of the azimuth, SA sin of the equatorial azimuth, C2A
// its cos^2, Y the arc sigma on the auxiliary sphere with SY/CY, CZ cos
// 2 sigma_m, E = 2 CZ^2 - 1, C and D the series factors, r = 1 - f.
#pragma once

#include "geodesy/ellipsoid.h"

namespace orbelin {

class TextSink;

struct DirectResult {
  double lat = 0.0;           // degrees
  double lon = 0.0;           // degrees in [-180, 180)
  double back_azimuth = 0.0;  // at the end point towards the start, [0, 360)
  int steps = 0;
  bool converged = true;
};

// End point on the ellipsoid after `distance` metres from (lat1, lon1) along
// `azimuth` degrees. Agrees with an exact solution to 0.1 mm for any
// distance up to half the circumference. The iteration is bounded at
// 99 steps: NaN arguments give NaN, and distances so large (some 400000 km)
// that the arc cannot settle to 1e-14 give the last step's values, which are
// as good as the arithmetic allows (converged = false).
// With a trace sink, the iteration is written to it.
DirectResult CalcBackProjection(const Ellipsoid& ellipsoid, double lat1, double lon1,
                                double azimuth, double distance, TextSink* trace);

}  // namespace orbelin
