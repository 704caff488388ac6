#include <cstdio>
#include <initializer_list>
#include <string>

#include "base/int_conversion.h"
#include "base/maths.h"
#include "geodesy/angles.h"
#include "geodesy/arc_intersection.h"
#include "geodesy/center.h"
#include "geodesy/cross_bearing.h"
#include "geodesy/dhdn_datum.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/gauss_krueger.h"
#include "geodesy/geodesic_direct.h"
#include "geodesy/geodesic_inverse.h"
#include "geodesy/plane_utm.h"
#include "geodesy/utm.h"
#include "geodesy/vincenty_distance.h"
#include "interp/bindings.h"

namespace orbelin {

// Every computation is on WGS 84, except the Gauss-Krueger grid and the
// constructions in its plane, which are on Bessel's ellipsoid.

void HandleGps2Utm(Runtime& rt, const CallArgs& a) {
  const UtmPosition u = Geo2Utm(kWgs84, a.num[0], a.num[1]);
  rt.SetValue(a.var[0], u.zone);
  rt.SetValue(a.var[1], u.band);
  rt.SetValue(a.var[2], u.easting);
  rt.SetValue(a.var[3], u.northing);
}

void HandleUtm2Gps(Runtime& rt, const CallArgs& a) {
  const int zone = FloorToInt(a.num[0]);
  // The band's low eight bits as a signed character: 85.9 is U, 341 is U too.
  const auto band = static_cast<signed char>(LowByte(maths::floor(a.num[1])));
  const GeoPoint g = Utm2Geo(kWgs84, zone, band, a.num[2], a.num[3]);
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
}

void HandleCp(Runtime& rt, const CallArgs& a) {
  const InverseResult r =
      CalcProjection(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3], rt.trace());
  rt.SetValue(a.var[0], r.distance);
  rt.SetValue(a.var[1], r.azimuth);
}

void HandleCbp(Runtime& rt, const CallArgs& a) {
  const DirectResult r =
      CalcBackProjection(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3], rt.trace());
  rt.SetValue(a.var[0], r.lat);
  rt.SetValue(a.var[1], r.lon);
}

void HandleGps2Gk(Runtime& rt, const CallArgs& a) {
  const int strip = a.num[2] > 360 ? MkzStrip(a.num[1]) : FloorToInt(a.num[2]);
  const GaussKruegerPoint p = Geo2GK(kBessel, a.num[0], a.num[1], strip);
  rt.SetValue(a.var[0], p.r);
  rt.SetValue(a.var[1], p.h);
}

void HandleGk2Gps(Runtime& rt, const CallArgs& a) {
  const GeoPoint g = GK2Geo(kBessel, a.num[0], a.num[1], rt.trace());
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
}

namespace {

// An answer that may lie further off than this from the exact one is worth
// a word: a cache hides within a few metres.
constexpr double kFieldTolerance = 10.0;
// Below this crossing angle a narrow crossing, not size, is the cause.
constexpr double kNarrowAngle = 30.0;

// Metres as a person reads them. An upper bound is rounded up, so that
// what is shown stays one.
std::string Length(double metres, bool bound = false) {
  const auto shown = [bound](double x, double unit) {
    return (bound ? maths::ceil(x / unit) : maths::round(x / unit)) * unit;
  };
  char buf[48];
  if (metres >= 100000) {
    std::snprintf(buf, sizeof buf, "%.0f km", shown(metres / 1000, 1));
  } else if (metres >= 1000) {
    std::snprintf(buf, sizeof buf, "%.1f km", shown(metres / 1000, 0.1));
  } else if (metres >= 10) {
    std::snprintf(buf, sizeof buf, "%.0f m", shown(metres, 1));
  } else if (metres >= 1) {
    std::snprintf(buf, sizeof buf, "%.1f m", shown(metres, 0.1));
  } else {
    std::snprintf(buf, sizeof buf, "%.2g m", metres);
  }
  return buf;
}

std::string Angle(double degrees) {
  char buf[32];
  std::snprintf(buf, sizeof buf, degrees >= 1 ? "%.1f\xB0" : "%.2g\xB0", degrees);
  return buf;
}

// "the point may lie up to 28 m off", and when that is too far for an
// answer, that none was given.
std::string HowFar(const char* what, double estimate, bool given) {
  if (!maths::isfinite(estimate)) {
    return std::string(what) + " is too uncertain to give";
  }
  return std::string(what) + " may lie up to " + Length(estimate, true) + " off" +
         (given ? "" : ", so none is given");
}

// NaN input comes from an earlier statement, which has said why; only
// input that is a number yet gives no point is worth a word here.
bool AllNumbers(const CallArgs& a, int count) {
  for (int i = 0; i < count; ++i) {
    if (maths::isnan(a.num[i])) return false;
  }
  return true;
}

void WarnNoPoint(Runtime& rt, const CallArgs& a, const char* statement) {
  if (AllNumbers(a, 6)) {
    rt.Warn(std::string(statement) + ": these inputs give no point: no answer",
            "latitudes run from -90 to 90, and every value must be finite");
  }
}

// A latitude beyond the poles makes any cause a wrong guess; the
// statements compute without checking, so this is said only with a NaN.
bool WarnedLatitudes(Runtime& rt, const char* statement, std::initializer_list<double> lats) {
  for (double lat : lats) {
    if (maths::fabs(lat) > 90) {
      rt.Warn(std::string(statement) + ": a latitude lies beyond 90\xB0: no answer",
              "latitudes run from -90 (south) to 90 (north)");
      return true;
    }
  }
  return false;
}

// A circle wider than the plane is useful for is nearly a line.
std::string CenterCause(double radius) {
  if (!(radius < 1000000)) return "the three points lie almost on one line";
  return "the circle through the points has a radius of " + Length(radius);
}

}  // namespace

// GPS2GK and GK2GPS with the datum shift to the grid of German maps.
void HandleGps2Dhdn(Runtime& rt, const CallArgs& a) {
  const int strip = a.num[2] > 360 ? MkzStrip(a.num[1]) : FloorToInt(a.num[2]);
  const GaussKruegerPoint p = Wgs84ToDhdnGK(a.num[0], a.num[1], strip);
  rt.SetValue(a.var[0], p.r);
  rt.SetValue(a.var[1], p.h);
}

void HandleDhdn2Gps(Runtime& rt, const CallArgs& a) {
  const GeoPoint g = DhdnGKToWgs84(a.num[0], a.num[1], rt.trace());
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
}

void HandleCenter(Runtime& rt, const CallArgs& a) {
  CenterReport report;
  const GeoPoint c = Center(kBessel, {a.num[0], a.num[1]}, {a.num[2], a.num[3]},
                            {a.num[4], a.num[5]}, rt.trace(), &report);
  rt.SetValue(a.var[0], c.lat);
  rt.SetValue(a.var[1], c.lon);
  using Outcome = CenterReport::Outcome;
  if (report.outcome != Outcome::kAnswer &&
      WarnedLatitudes(rt, "CENTER", {a.num[0], a.num[2], a.num[4]})) {
    return;
  }
  switch (report.outcome) {
    case Outcome::kEqualPoints:
      rt.Warn("CENTER: two of the points are the same: no circle goes through them",
              "three different points are needed");
      return;
    case Outcome::kCollinear:
      rt.Warn("CENTER: the three points lie on one line: no circle goes through them",
              "a point off that line gives a circle");
      return;
    case Outcome::kNoInput:
      WarnNoPoint(rt, a, "CENTER");
      return;
    case Outcome::kAnswer:
    case Outcome::kTooFar:
      if (!(report.estimate > kFieldTolerance)) return;
      rt.Warn("CENTER: " + CenterCause(CircleRadius(report)) + ": " +
                  HowFar("the centre", report.estimate, report.outcome == Outcome::kAnswer),
              "points nearly on one line make a huge circle: spread them around it");
      return;
  }
}

void HandleKreuzpeilung(Runtime& rt, const CallArgs& a) {
  CrossBearingReport report;
  const GeoPoint x = CrossBearing(kWgs84, kBessel, a.num[0], a.num[1], a.num[2], a.num[3], a.num[4],
                                  a.num[5], rt.trace(), &report);
  rt.SetValue(a.var[0], x.lat);
  rt.SetValue(a.var[1], x.lon);
  using Outcome = CrossBearingReport::Outcome;
  if (report.outcome != Outcome::kAnswer &&
      WarnedLatitudes(rt, "KREUZPEILUNG", {a.num[0], a.num[3]})) {
    return;
  }
  if (report.behind_first || report.behind_second) {
    const char* where = !report.behind_second  ? "the first point"
                        : !report.behind_first ? "the second point"
                                               : "both points";
    rt.Warn(std::string("KREUZPEILUNG: the bearing lines meet behind ") + where,
            "a bearing looks from its point towards the target: one taken the other way round "
            "needs 180\xB0 added");
  }
  switch (report.outcome) {
    case Outcome::kParallel:
      rt.Warn("KREUZPEILUNG: the bearings are parallel: no answer",
              "bearings that cross near 90\xB0 fix the point best");
      return;
    case Outcome::kSameLine:
      rt.Warn("KREUZPEILUNG: both bearings lie on the line through the two points: no answer",
              "a bearing from a point off that line fixes the target");
      return;
    case Outcome::kNoInput:
      WarnNoPoint(rt, a, "KREUZPEILUNG");
      return;
    case Outcome::kAnswer:
    case Outcome::kTooFar: {
      if (!(report.estimate > kFieldTolerance)) return;
      const double angle = CrossingAngle(report);
      const std::string cause = angle < kNarrowAngle
                                    ? "the bearings cross at " + Angle(angle)
                                    : "the sights are " + Length(LongerSight(report)) + " long";
      rt.Warn("KREUZPEILUNG: " + cause + ": " +
                  HowFar("the point", report.estimate, report.outcome == Outcome::kAnswer),
              "bearings that cross nearer 90\xB0, from points nearer the target, fix it better");
      return;
    }
  }
}

void HandleBogenschnitt(Runtime& rt, const CallArgs& a) {
  ArcIntersectionReport report;
  const ArcIntersection x = BogenSchnitt(kBessel, {a.num[0], a.num[1]}, {a.num[2], a.num[3]},
                                         a.num[4], a.num[5], rt.trace(), &report);
  rt.SetValue(a.var[0], x.a.lat);
  rt.SetValue(a.var[1], x.a.lon);
  rt.SetValue(a.var[2], x.b.lat);
  rt.SetValue(a.var[3], x.b.lon);
  using Outcome = ArcIntersectionReport::Outcome;
  if (report.outcome != Outcome::kAnswer &&
      WarnedLatitudes(rt, "BOGENSCHNITT", {a.num[0], a.num[2]})) {
    return;
  }
  switch (report.outcome) {
    case Outcome::kSameCentre:
      rt.Warn("BOGENSCHNITT: the two centres are the same point: no answer",
              "circles around one centre meet everywhere or nowhere");
      return;
    case Outcome::kApart:
      rt.Warn("BOGENSCHNITT: the circles miss each other by " + Length(CircleGap(report)) +
                  ": no answer",
              "the centres are " + Length(report.d) + " apart, more than the two radii together");
      return;
    case Outcome::kInside:
      rt.Warn(std::string("BOGENSCHNITT: the ") +
                  (maths::fabs(report.r1) < maths::fabs(report.r2) ? "first" : "second") +
                  " circle lies " + Length(CircleGap(report)) + " inside the other: no answer",
              "the radii differ by more than the distance between the centres (" +
                  Length(report.d) + ")");
      return;
    case Outcome::kNoInput:
      WarnNoPoint(rt, a, "BOGENSCHNITT");
      return;
    case Outcome::kAnswer:
    case Outcome::kTooFar: {
      if (!(report.estimate > kFieldTolerance)) return;
      const double angle = CrossingAngle(report);
      const std::string cause =
          report.touching ? std::string("the circles only touch")
          : angle < kNarrowAngle
              ? "the circles cross at " + Angle(angle)
              : "the radii reach " +
                    Length(maths::fmax(maths::fabs(report.r1), maths::fabs(report.r2)));
      rt.Warn("BOGENSCHNITT: " + cause + ": " +
                  HowFar("the points", report.estimate, report.outcome == Outcome::kAnswer),
              "circles that cross nearer 90\xB0 fix the points better");
      return;
    }
  }
}

double FnGmmmm(Runtime&, const CallArgs& a) {
  return Gmmmm(a.num[0], a.num[1], a.num[2], a.num[3], a.num[4]);
}

double FnBearingUtm(Runtime&, const CallArgs& a) {
  return BearingUtm(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3]);
}

double FnDistUtm(Runtime&, const CallArgs& a) {
  return DistUtm(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3]);
}

double FnDistVincenty(Runtime&, const CallArgs& a) {
  return DistVincenty(kWgs84Vincenty, a.num[0], a.num[1], a.num[2], a.num[3]);
}

double FnProjUtmLat(Runtime&, const CallArgs& a) {
  return PlaneProject(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3]).lat;
}

double FnProjUtmLon(Runtime&, const CallArgs& a) {
  return PlaneProject(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3]).lon;
}

double FnMkz(Runtime&, const CallArgs& a) {
  return Mkz(a.num[0]);
}

double FnTorad(Runtime&, const CallArgs& a) {
  return ToRad(a.num[0]);
}

double FnTodeg(Runtime&, const CallArgs& a) {
  return ToDeg(a.num[0]);
}

}  // namespace orbelin
