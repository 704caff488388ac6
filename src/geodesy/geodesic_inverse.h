// The inverse geodesic problem (distance and azimuths between two points) by
// Vincenty's iteration in the form of the NGS routine INVER1.
//
// Source: T. Vincenty, "Direct and inverse solutions of geodesics on the
// ellipsoid with application of nested equations", Survey Review 23 (176),
// 88-93, 1975; the variable names are those of the U.S. National Geodetic
// Survey's subroutine INVER1 that implements it.
//
// Notation: TU reduced-latitude tangents, CU/SU their cosines and sines, X
// the longitude on the auxiliary sphere, SX/CX its sine and cosine, SY/CY/Y
// sine, cosine and value of the arc sigma, SA sin of the equatorial azimuth,
// C2A its cos^2, CZ cos 2 sigma_m, E = 2 CZ^2 - 1, C the Vincenty C, f the
// flattening, r = 1 - f.
#pragma once

#include "geodesy/ellipsoid.h"

namespace orbelin {

class TextSink;

struct InverseResult {
  double distance = 0.0;      // metres
  double azimuth = 0.0;       // at point 1 towards point 2, degrees in [0, 360)
  double back_azimuth = 0.0;  // at point 2 towards point 1, degrees in [0, 360)
  int steps = 0;              // iteration steps made
  bool converged = true;
};

// Geodesic from (lat1, lon1) to (lat2, lon2) on the ellipsoid, degrees and
// metres.
// Agrees with an exact solution to 0.1 mm and 0.01 arc seconds wherever it
// converges. Nearly antipodal pairs do not converge within the
// 99 steps; they give NaN distance and azimuths (converged = false) instead
// of the last step's wrong values. Identical points give distance 0,
// azimuth 0 and back azimuth 180. Arguments that let no step happen (NaN,
// longitude differences beyond about 1e16 radians) give NaN.
// With a trace sink, the iteration is written to it.
InverseResult CalcProjection(const Ellipsoid& ellipsoid, double lat1, double lon1, double lat2,
                             double lon2, TextSink* trace);

}  // namespace orbelin
