// Points and great circles on the unit sphere, for the first guesses of the
// exact constructions. Latitudes and longitudes are taken as spherical
// ones: a guess made here lies within about the flattening (1/300) of the
// figure's size from the answer on the ellipsoid, which the solvers then
// reach by Newton's method.
//
// Notation: u = (cos lat cos lon, cos lat sin lon, sin lat) the unit vector
// of a point; n the pole of a great circle (the unit vector normal to its
// plane); lengths on the sphere are angles in radians.
#pragma once

#include "base/maths.h"
#include "geodesy/angles.h"

namespace orbelin {

struct UnitVector {
  double x = 0.0, y = 0.0, z = 0.0;
};

inline UnitVector ToUnit(GeoPoint p) {
  const double phi = ToRad(p.lat), lambda = ToRad(p.lon);
  return {maths::cos(phi) * maths::cos(lambda), maths::cos(phi) * maths::sin(lambda),
          maths::sin(phi)};
}

// The point of a vector that need not be of unit length (not zero).
inline GeoPoint FromUnit(UnitVector u) {
  return {ToDeg(maths::atan2(u.z, maths::hypot(u.x, u.y))), ToDeg(maths::atan2(u.y, u.x))};
}

inline double Dot(UnitVector a, UnitVector b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline UnitVector Cross(UnitVector a, UnitVector b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline UnitVector Minus(UnitVector a, UnitVector b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

inline double Norm(UnitVector a) {
  return maths::sqrt(Dot(a, a));
}

inline UnitVector Scaled(UnitVector a, double k) {
  return {a.x * k, a.y * k, a.z * k};
}

// The pole of the great circle that leaves p along `azimuth` degrees: the
// circle turns left around it.
inline UnitVector GreatCirclePole(GeoPoint p, double azimuth) {
  const double phi = ToRad(p.lat), lambda = ToRad(p.lon), alpha = ToRad(azimuth);
  const UnitVector east{-maths::sin(lambda), maths::cos(lambda), 0};
  const UnitVector north{-maths::sin(phi) * maths::cos(lambda),
                         -maths::sin(phi) * maths::sin(lambda), maths::cos(phi)};
  const UnitVector along{maths::cos(alpha) * north.x + maths::sin(alpha) * east.x,
                         maths::cos(alpha) * north.y + maths::sin(alpha) * east.y,
                         maths::cos(alpha) * north.z + maths::sin(alpha) * east.z};
  return Cross(ToUnit(p), along);
}

}  // namespace orbelin
