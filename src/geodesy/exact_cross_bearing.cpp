// Variable names follow the notation key in geodesy/exact_cross_bearing.h.
#include "geodesy/exact_cross_bearing.h"

#include <initializer_list>
#include <limits>

#include "base/maths.h"
#include "geodesy/degenerate.h"
#include "geodesy/geodesic_direct.h"
#include "geodesy/geodesic_inverse.h"
#include "geodesy/unit_sphere.h"

namespace orbelin {

namespace {

using Outcome = GeodesicCrossing::Outcome;

// Metres: a step this short ends the search; one this long is cut, so that
// a poor guess cannot throw X round the Earth.
constexpr double kSettled = 1e-6;
constexpr double kLongestStep = 2000000.0;
// After this many steps a last step below 1 mm is taken as the noise of
// the azimuths over a narrow crossing, not as a search that failed.
constexpr int kStepBound = 50;
constexpr double kNoise = 1e-3;
// A point this close to a line lies on it, metres.
constexpr double kOnLine = 1e-6;
// Metres: a first guess this far along line 1 is no guess.
constexpr double kQuarterMeridian = 10000000.0;
// What X's distance from line 2 may be off by in doubles: metres, and
// metres per metre of sight (the rounding of the azimuths). Along line 1
// X moves by that over the sine of the crossing angle.
constexpr double kNoiseFloor = 4e-8;
constexpr double kNoisePerMetre = 5e-12;

struct Probe {
  GeoPoint x;
  double e;      // metres right of line 2
  double slope;  // de/dt
  double alpha, beta;
  double s2;
  bool front2;  // X lies in front of P2
};

struct Lines {
  const Ellipsoid& el;
  GeoPoint p1, p2;
  double b1, b2;

  Probe At(double t) const {
    const DirectResult d = t >= 0 ? CalcBackProjection(el, p1.lat, p1.lon, b1, t, nullptr)
                                  : CalcBackProjection(el, p1.lat, p1.lon, b1 + 180, -t, nullptr);
    Probe p;
    p.x = {d.lat, d.lon};
    p.alpha = t >= 0 ? d.back_azimuth + 180 : d.back_azimuth;
    const InverseResult s = CalcProjection(el, p2.lat, p2.lon, d.lat, d.lon, nullptr);
    const double psi2 = ToRad(s.azimuth - b2);
    p.s2 = s.distance;
    p.e = s.distance * maths::sin(psi2);
    p.front2 = maths::cos(psi2) >= 0;
    p.beta = p.front2 ? s.back_azimuth + 180 : s.back_azimuth;
    // The sphere's s2 / m2, 1 at P2 itself.
    const double sigma = s.distance / el.a;
    const double stretch = sigma > 0 ? sigma / maths::sin(sigma) : 1;
    p.slope = maths::sin(ToRad(p.alpha - p.beta)) * stretch;
    return p;
  }
};

// The signed distance along bearing 1 to where the lines cross in the
// azimuthal equidistant picture around P1: line 1 is straight there, P2
// lies at its true distance and azimuth, and bearing 2 is turned by the
// change of azimuth along the geodesic P1 P2. Good where the figure is
// small beside the Earth, however narrow the crossing; NaN for parallel
// lines in the picture.
double PlaneGuess(const Lines& l, const InverseResult& base) {
  const double az12 = ToRad(base.azimuth);
  const double x2 = base.distance * maths::sin(az12), y2 = base.distance * maths::cos(az12);
  const double beta2 = ToRad(l.b2) - (ToRad(base.back_azimuth + 180) - az12);
  const double u1 = maths::sin(ToRad(l.b1)), v1 = maths::cos(ToRad(l.b1));
  const double u2 = maths::sin(beta2), v2 = maths::cos(beta2);
  const double d = u1 * v2 - v1 * u2;
  return d != 0 ? (x2 * v2 - y2 * u2) / d : kNoValue;
}

// The same on a sphere of radius a: where the great circles of the two
// bearings cross, at the crossing nearer the points. Good for figures as
// large as the Earth, not for narrow crossings (latitudes taken as
// spherical bend the bearings by about the flattening); NaN when the
// circles are one.
double SphereGuess(const Lines& l) {
  const UnitVector u1 = ToUnit(l.p1), u2 = ToUnit(l.p2);
  const UnitVector n1 = GreatCirclePole(l.p1, l.b1), n2 = GreatCirclePole(l.p2, l.b2);
  UnitVector c = Cross(n1, n2);
  if (!(Norm(c) > 0)) return kNoValue;
  if (Dot(c, u1) + Dot(c, u2) < 0) c = Scaled(c, -1);
  const UnitVector along1 = Cross(n1, u1);
  return l.el.a * maths::atan2(Dot(c, along1), Dot(c, u1));
}

// Newton's method along line 1 from *t; false when it does not settle.
bool Solve(const Lines& lines, double* t) {
  double last_step = kNoValue;
  for (int step = 0; step < kStepBound; ++step) {
    const Probe p = lines.At(*t);
    double dt = -p.e / p.slope;
    if (!maths::isfinite(dt)) break;
    dt = maths::fmax(-kLongestStep, maths::fmin(kLongestStep, dt));
    *t += dt;
    last_step = maths::fabs(dt);
    if (last_step < kSettled) break;
  }
  return last_step < kNoise;
}

}  // namespace

GeodesicCrossing IntersectGeodesics(const Ellipsoid& ellipsoid, double lat1, double lon1,
                                    double bearing1, double lat2, double lon2, double bearing2) {
  GeodesicCrossing result;
  result.x = {kNoValue, kNoValue};
  const double inputs[] = {lat1, lon1, bearing1, lat2, lon2, bearing2};
  for (double v : inputs) {
    if (!maths::isfinite(v)) result.outcome = Outcome::kNoInput;
  }
  if (maths::fabs(lat1) > 90 || maths::fabs(lat2) > 90) result.outcome = Outcome::kNoInput;
  if (result.outcome == Outcome::kNoInput) return result;

  const Lines lines{ellipsoid, {lat1, lon1}, {lat2, lon2}, bearing1, bearing2};
  const InverseResult base = CalcProjection(ellipsoid, lat1, lon1, lat2, lon2, nullptr);
  const double turn = LineAngle(bearing1, bearing2);
  if (base.distance == 0) {
    // One point: both lines pass through it.
    if (turn == 0) {
      result.outcome = Outcome::kSameLine;
    } else {
      result.x = lines.p1;
      result.angle = turn;
    }
    return result;
  }
  // P2 on line 1, and bearing 2 along it there: one line.
  const double off1 = base.distance * maths::sin(ToRad(base.azimuth - bearing1));
  const double along2 = maths::sin(ToRad(base.back_azimuth + 180 - bearing2));
  if (maths::fabs(off1) <= kOnLine && maths::fabs(along2) * base.distance <= kOnLine) {
    result.outcome = Outcome::kSameLine;
    return result;
  }

  // The picture around P1 first; where it puts the crossing a quarter of
  // the way round the Earth or more, or Newton's method finds nothing from
  // it, the sphere.
  double t = kNoValue;
  bool found = false;
  for (double guess : {PlaneGuess(lines, base), SphereGuess(lines)}) {
    if (!(maths::fabs(guess) < kQuarterMeridian)) continue;
    t = guess;
    found = Solve(lines, &t);
    if (found) break;
  }
  if (!found) {
    result.outcome = Outcome::kUnsolved;
    return result;
  }
  const Probe p = lines.At(t);
  if (maths::isnan(p.e)) {
    result.outcome = Outcome::kUnsolved;
    return result;
  }
  result.x = p.x;
  result.behind_first = t < 0;
  result.behind_second = !p.front2;
  result.angle = LineAngle(p.alpha, p.beta);
  result.sight1 = maths::fabs(t);
  result.sight2 = p.s2;
  const double across = maths::fabs(maths::sin(ToRad(p.alpha - p.beta)));
  result.uncertainty =
      across > 0 ? (kNoiseFloor + kNoisePerMetre * (p.s2 + result.sight1)) / across + kSettled
                 : std::numeric_limits<double>::infinity();
  return result;
}

}  // namespace orbelin
