// The transverse Mercator projection to nanometre accuracy, for the grids
// that must agree with their official definitions to the last printed digit
// (MGRS, the British and Austrian grids). GPS2UTM and GPS2GK keep their own
// shorter series (utm.h, gauss_krueger.h), whose results are part of the
// language.
//
// Source: L. Krueger's series in the third flattening n, carried to n^6 as
// C. F. F. Karney gives them in "Transverse Mercator with an accuracy of a
// few nanometers", J. Geodesy 85 (2011) 475-485, eqs. (7)-(11), (35), (36).
//
// Notation: phi latitude and lambda longitude from the central meridian in
// radians; tau = tan phi and taup = tan of the conformal latitude; xi, eta
// the projected northing and easting on a sphere of radius A (the
// rectifying radius); k0 the central scale factor. Good to 5 nm within
// 4000 km of the central meridian; the inverse undoes the forward to
// rounding there.
#pragma once

#include "geodesy/angles.h"

namespace orbelin {

struct TransverseMercator {
  double a;     // semi-major axis, metres
  double f;     // flattening
  double k0;    // scale on the central meridian
  double lon0;  // central meridian, degrees
  double lat0;  // latitude of the origin, degrees
  double false_easting;
  double false_northing;  // at lat0 on the central meridian
};

struct PlanePoint {
  double x = 0.0;  // easting, metres
  double y = 0.0;  // northing, metres
};

// Degrees in, metres out (false easting and northing included).
PlanePoint TmForward(const TransverseMercator& tm, double lat, double lon);
// Metres in, degrees out; the longitude within 180 degrees of lon0.
GeoPoint TmInverse(const TransverseMercator& tm, double x, double y);

// sin and cos of an angle in degrees, exact at the multiples of 90 (so the
// pole has cos 0 and tan infinity).
void SinCosDegrees(double degrees, double* s, double* c);
// tan of a latitude in degrees, infinite at the poles.
double TanDegrees(double degrees);

// tan of the conformal latitude for tan phi, and its inverse (Newton, two
// or three steps); e is the first eccentricity. Shared with the polar
// stereographic projection and the Swiss and Dutch grids.
double ConformalTan(double tau, double e);
double GeodeticTan(double taup, double e);

}  // namespace orbelin
