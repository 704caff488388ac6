// The constructions, each twice: CENTER, KREUZPEILUNG and BOGENSCHNITT as
// they have always been computed, in the Gauss-Krueger plane on Bessel's
// ellipsoid, and CENTEREXACT, KREUZPEILUNGEXACT and BOGENSCHNITTEXACT, the
// same problems solved on WGS 84, where GPS coordinates and lengths paced
// on the ground belong. The plane's statements keep their numbers; when one
// lies more than 10 m from the exact answer, its warning says how far,
// measured, and where the exact answer is.
#include <cstdio>
#include <initializer_list>
#include <string>

#include "base/maths.h"
#include "geodesy/arc_intersection.h"
#include "geodesy/center.h"
#include "geodesy/construction_error.h"
#include "geodesy/cross_bearing.h"
#include "geodesy/degenerate.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/exact_arc_intersection.h"
#include "geodesy/exact_center.h"
#include "geodesy/exact_cross_bearing.h"
#include "geodesy/gauss_krueger.h"
#include "interp/bindings.h"
#include "interp/errors.h"
#include "output/coord_writers.h"

namespace orbelin {

namespace {

// An answer further off than this from the exact one is worth a word: a
// cache hides within a few metres.
constexpr double kFieldTolerance = 10.0;
// Below this crossing angle a narrow crossing, not size, is the cause.
constexpr double kNarrowAngle = 30.0;
// An exact answer this far from the given points is worth a note: points
// nearly on one line, bearings nearly parallel.
constexpr double kFarAway = 1000000.0;

// Metres as a person reads them, for the sizes of a figure.
std::string Length(double metres) {
  const auto shown = [](double x, double unit) { return maths::round(x / unit) * unit; };
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

// A measured distance to three figures, so that what is shown is within
// 0.5 % of what was measured.
std::string Measured(double metres) {
  char buf[48];
  if (metres >= 100000) {
    std::snprintf(buf, sizeof buf, "%.0f km", metres / 1000);
  } else if (metres >= 10000) {
    std::snprintf(buf, sizeof buf, "%.1f km", metres / 1000);
  } else if (metres >= 1000) {
    std::snprintf(buf, sizeof buf, "%.2f km", metres / 1000);
  } else if (metres >= 100) {
    std::snprintf(buf, sizeof buf, "%.0f m", metres);
  } else {
    std::snprintf(buf, sizeof buf, "%.1f m", metres);
  }
  return buf;
}

// A small length to two figures: millimetres below a metre.
std::string Small(double metres) {
  if (!(metres < 1)) return Length(metres);
  char buf[32];
  std::snprintf(buf, sizeof buf, metres < 0.01 ? "%.2g mm" : "%.0f mm", metres * 1000);
  return buf;
}

// Refuses an exact answer that the rounding of the computation leaves
// unfixed to a millimetre (E122); `why` says what about the figure makes it
// so, `fix` what to change. True when refused, the outputs then NaN.
bool RefusedUnfixed(Runtime& rt, const CallArgs& a, int outputs, double uncertainty,
                    const std::string& why, const std::string& fix) {
  if (!(uncertainty > kExactTolerance)) return false;
  rt.Refuse(kErrNotFixed, why + ": at sixteen digits the answer is fixed only to about " +
                              Small(uncertainty) + "; " + fix);
  for (int i = 0; i < outputs; ++i) rt.SetValue(a.var[i], kNoValue);
  return true;
}

std::string Angle(double degrees) {
  char buf[32];
  // Tenths from a degree up (0.999 is 1.0, not 1), two figures below.
  std::snprintf(buf, sizeof buf, degrees >= 0.995 ? "%.1f\xB0" : "%.2g\xB0", degrees);
  return buf;
}

std::string Place(GeoPoint p) {
  return GeocacheText(p.lat, p.lon);
}

// The end of a sentence that names an exact answer: the exact statement
// gives it, unless the inputs fix it only to more than a millimetre (E122).
std::string TwinGives(const std::string& statement, const char* pronoun, double uncertainty,
                      const char* joint = "; ") {
  if (!(uncertainty > kExactTolerance)) {
    return joint + statement + "EXACT gives " + pronoun;
  }
  return ", which these inputs fix only to about " + Small(uncertainty) + " (" + statement +
         "EXACT refuses " + pronoun + ")";
}

// What a plane answer more than 10 m from the exact one is told with: the
// measured distance and the exact answer, which the twin statement gives.
std::string Off(const std::string& statement, double off, const char* exact, GeoPoint at,
                double uncertainty) {
  if (!maths::isfinite(off)) {
    return statement + ": no exact " + exact + " was found on the ellipsoid to check this answer";
  }
  return statement + ": this answer lies " + Measured(off) + " from the exact " + exact +
         " on the ellipsoid, " + Place(at) + TwinGives(statement, "it", uncertainty);
}

// Where the inputs fix the exact answer too loosely to measure a plane
// answer against it to 1 % and to the 10 m that decide a warning.
bool Unchecked(double off, double uncertainty) {
  return uncertainty > maths::fmax(0.1, 0.005 * off);
}

std::string NotChecked(const std::string& statement, const char* exact, double uncertainty,
                       bool plural = false) {
  return statement + ": the exact " + exact +
         (plural ? " on the ellipsoid are" : " on the ellipsoid is") + " fixed only to about " +
         Small(uncertainty) + " here, so " +
         (plural ? "these answers are not checked against them"
                 : "this answer is not checked against it");
}

// What a plane answer withheld by the bound is told with.
std::string BreaksDown(const std::string& statement, const std::string& exact_answer) {
  return statement + ": the construction in the plane breaks down here, so no answer is given; " +
         exact_answer;
}

std::string ExactIs(const std::string& statement, const char* exact, GeoPoint at,
                    double uncertainty) {
  if (!(maths::fabs(at.lat) <= 90)) return std::string("no exact ") + exact + " was found either";
  return std::string("the exact ") + exact + " on the ellipsoid is " + Place(at) +
         TwinGives(statement, "it", uncertainty, ", and ");
}

// NaN input comes from an earlier statement, which has said why; only
// input that is a number yet gives no point is worth a word here.
bool AllNumbers(const CallArgs& a, int count) {
  for (int i = 0; i < count; ++i) {
    if (maths::isnan(a.num[i])) return false;
  }
  return true;
}

void WarnNoPoint(Runtime& rt, const CallArgs& a, const std::string& statement) {
  if (AllNumbers(a, 6)) {
    rt.Warn(statement + ": these inputs give no point: no answer",
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

const char* const kOrdinal[] = {"first", "second", "third"};

std::string Number(double x) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.10g", x);
  return buf;
}

// The exact statements refuse a latitude beyond the poles (E120): there is
// no such place to construct from. NaN is let through, as NaN.
bool RefusedLatitudes(Runtime& rt, std::initializer_list<double> lats) {
  int i = 0;
  for (double lat : lats) {
    if (maths::fabs(lat) > 90) {
      rt.Refuse(kErrLatitudeRange, std::string("the ") + kOrdinal[i] + " point's latitude is " +
                                       Number(lat) +
                                       ": latitudes run from -90 (south) to 90 (north)");
      return true;
    }
    ++i;
  }
  return false;
}

void SetNoPoint(Runtime& rt, const CallArgs& a, int outputs) {
  for (int i = 0; i < outputs; ++i) rt.SetValue(a.var[i], kNoValue);
}

// Why CENTER's answer is off: a circle wider than the plane is useful for
// is nearly a line.
std::string CenterHint(double radius) {
  if (!(radius < 1000000)) {
    return "the three points lie almost on one line: spread them around their circle";
  }
  return "the circle through the points has a radius of " + Length(radius) +
         ": the plane of the map bends so large a circle; points spread around a smaller one "
         "fix the centre better";
}

std::string BehindWhere(bool first, bool second) {
  return !second ? "the first point" : !first ? "the second point" : "both points";
}

void WarnBehind(Runtime& rt, const std::string& statement, bool first, bool second) {
  if (!first && !second) return;
  rt.Warn(statement + ": the bearing lines meet behind " + BehindWhere(first, second),
          "a bearing looks from its point towards the target: one taken the other way round "
          "needs 180\xB0 added");
}

const char kSameLine[] = ": both bearings lie on the line through the two points: no answer";
const char kSameLineHint[] = "a bearing from a point off that line fixes the target";
const char kEqualPoints[] = ": two of the points are the same: no circle goes through them";
const char kSameCentre[] = ": the two centres are the same point: no answer";
const char kSameCentreHint[] = "circles around one centre meet everywhere or nowhere";

// How circles that miss each other do so, and the hint on why.
void WarnMissingCircles(Runtime& rt, const std::string& statement, bool apart, double gap, double d,
                        double r1, double r2, const std::string& meet_hint) {
  if (apart) {
    rt.Warn(statement + ": the circles miss each other by " + Length(gap) + ": no answer",
            !meet_hint.empty()
                ? meet_hint
                : "the centres are " + Length(d) + " apart, more than the two radii together");
    return;
  }
  rt.Warn(statement + ": the " + (maths::fabs(r1) < maths::fabs(r2) ? "first" : "second") +
              " circle lies " + Length(gap) + " inside the other: no answer",
          !meet_hint.empty() ? meet_hint
                             : "the radii differ by more than the distance between the centres (" +
                                   Length(d) + ")");
}

}  // namespace

void HandleCenter(Runtime& rt, const CallArgs& a) {
  CenterReport report;
  const GeoPoint c = Center(kWgs84, kBessel, {a.num[0], a.num[1]}, {a.num[2], a.num[3]},
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
      rt.Warn(std::string("CENTER") + kEqualPoints, "three different points are needed");
      return;
    case Outcome::kCollinear:
      rt.Warn("CENTER: the three points lie on one line: no circle goes through them",
              "a point off that line gives a circle");
      return;
    case Outcome::kNoInput:
      WarnNoPoint(rt, a, "CENTER");
      return;
    case Outcome::kAnswer:
      if (Unchecked(report.off, report.exact.uncertainty)) {
        rt.Warn(NotChecked("CENTER", "centre", report.exact.uncertainty),
                CenterHint(CircleRadius(report)));
        return;
      }
      if (!(report.off > kFieldTolerance)) return;
      rt.Warn(Off("CENTER", report.off, "centre", report.exact.centre, report.exact.uncertainty),
              CenterHint(CircleRadius(report)));
      return;
    case Outcome::kTooFar:
      rt.Warn(BreaksDown("CENTER", ExactIs("CENTER", "centre", report.exact.centre,
                                           report.exact.uncertainty)),
              CenterHint(CircleRadius(report)));
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
  WarnBehind(rt, "KREUZPEILUNG", report.behind_first, report.behind_second);
  switch (report.outcome) {
    case Outcome::kParallel:
      rt.Warn("KREUZPEILUNG: the bearings are parallel: no answer",
              "bearings that cross near 90\xB0 fix the point best");
      return;
    case Outcome::kSameLine:
      rt.Warn(std::string("KREUZPEILUNG") + kSameLine, kSameLineHint);
      return;
    case Outcome::kNoInput:
      WarnNoPoint(rt, a, "KREUZPEILUNG");
      return;
    case Outcome::kAnswer:
    case Outcome::kTooFar: {
      const bool given = report.outcome == Outcome::kAnswer;
      const double fixed = report.exact.uncertainty;
      const bool unchecked = given && Unchecked(report.off, fixed);
      if (given && !unchecked && !(report.off > kFieldTolerance)) return;
      // The angle as the bearings leave the points: far away, where nearly
      // parallel geodesics meet, they cross at another.
      const double angle = CrossingAngle(report);
      const std::string cause = angle < kNarrowAngle
                                    ? "the bearings cross at " + Angle(angle)
                                    : "the sights are " + Length(LongerSight(report)) + " long";
      rt.Warn(unchecked ? NotChecked("KREUZPEILUNG", "crossing", fixed)
              : given   ? Off("KREUZPEILUNG", report.off, "crossing", report.exact.x, fixed)
                        : BreaksDown("KREUZPEILUNG",
                                     ExactIs("KREUZPEILUNG", "crossing", report.exact.x, fixed)),
              cause +
                  ": bearings that cross nearer 90\xB0, from points nearer the target, fix "
                  "it better");
      return;
    }
  }
}

namespace {

// BOGENSCHNITT's two points against the exact crossings, or against where
// circles that miss on the ellipsoid come closest.
void WarnArcDistance(Runtime& rt, const ArcIntersectionReport& r, bool given) {
  using Exact = GeodesicCircles::Outcome;
  const bool far_a = r.off_a > kFieldTolerance, far_b = r.off_b > kFieldTolerance;
  const bool crossing = r.exact.outcome == GeodesicCircles::Outcome::kAnswer;
  const double fixed = crossing ? r.exact.uncertainty : 0;
  const bool unchecked = given && Unchecked(maths::fmin(r.off_a, r.off_b), fixed);
  if (given && !unchecked && !far_a && !far_b) return;
  const double angle =
      r.exact.outcome == GeodesicCircles::Outcome::kAnswer ? r.exact.angle : CrossingAngle(r);
  const std::string cause =
      r.touching ? std::string("the circles only touch")
      : angle < kNarrowAngle
          ? "the circles cross at " + Angle(angle)
          : "the radii reach " + Length(maths::fmax(maths::fabs(r.r1), maths::fabs(r.r2)));
  const std::string hint = cause +
                           ": BOGENSCHNITT takes the radii as lengths in the plane of the map, "
                           "up to 5e-4 off those on the ground, and a narrow crossing "
                           "magnifies that";
  const bool miss = r.exact.outcome == Exact::kApart || r.exact.outcome == Exact::kInside;
  if (!given) {
    std::string exact;
    if (r.exact.outcome == Exact::kAnswer) {
      exact = "the exact crossings on the ellipsoid are " + Place(r.exact.a) + " and " +
              Place(r.exact.b) + TwinGives("BOGENSCHNITT", "them", fixed, ", and ");
    } else if (miss) {
      exact = "on the ellipsoid the circles miss each other by " + Measured(r.exact.gap);
    } else {
      exact = "no exact crossing was found either";
    }
    rt.Warn(BreaksDown("BOGENSCHNITT", exact), hint);
    return;
  }
  if (!maths::isfinite(r.off())) {
    rt.Warn("BOGENSCHNITT: no exact crossing was found on the ellipsoid to check these answers",
            hint);
    return;
  }
  if (unchecked) {
    rt.Warn(NotChecked("BOGENSCHNITT", "crossings", fixed, true), hint);
    return;
  }
  // Which points are far, how far, and from what.
  std::string subject, distances;
  if (far_a && far_b) {
    subject = "these answers lie ";
    distances = Measured(r.off_a) + " and " + Measured(r.off_b);
  } else {
    subject = std::string(far_a ? "the first" : "the second") + " point lies ";
    distances = Measured(far_a ? r.off_a : r.off_b);
  }
  std::string target;
  if (miss) {
    target = "where the circles come closest, " + Place(r.exact.closest);
  } else if (far_a && far_b) {
    const GeoPoint ta = r.nearer_a ? r.exact.a : r.exact.b;
    const GeoPoint tb = r.nearer_b ? r.exact.a : r.exact.b;
    target = "the exact crossings on the ellipsoid, " + Place(ta) + " and " + Place(tb);
  } else {
    const bool nearer = far_a ? r.nearer_a : r.nearer_b;
    target = "the exact crossing on the ellipsoid, " + Place(nearer ? r.exact.a : r.exact.b);
  }
  std::string message = "BOGENSCHNITT: ";
  if (miss) {
    message += "on the ellipsoid the circles miss each other by " + Measured(r.exact.gap) +
               ", so there is no exact crossing; ";
  }
  message += subject + distances + " from " + target;
  if (!miss) {
    message += TwinGives("BOGENSCHNITT", far_a && far_b ? "them" : "it", fixed);
  }
  rt.Warn(message, hint);
}

}  // namespace

void HandleBogenschnitt(Runtime& rt, const CallArgs& a) {
  ArcIntersectionReport report;
  const ArcIntersection x =
      BogenSchnitt(kWgs84, kBessel, {a.num[0], a.num[1]}, {a.num[2], a.num[3]}, a.num[4], a.num[5],
                   rt.trace(), &report);
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
      rt.Warn(std::string("BOGENSCHNITT") + kSameCentre, kSameCentreHint);
      return;
    case Outcome::kApart:
    case Outcome::kInside: {
      // Lengths on the ground may still reach where the plane's do not.
      const bool meet = report.exact.outcome == GeodesicCircles::Outcome::kAnswer;
      WarnMissingCircles(rt, "BOGENSCHNITT", report.outcome == Outcome::kApart, CircleGap(report),
                         report.d, report.r1, report.r2,
                         meet ? "with the radii as lengths on the ground the circles meet: "
                                "BOGENSCHNITTEXACT gives the crossings"
                              : "");
      return;
    }
    case Outcome::kNoInput:
      WarnNoPoint(rt, a, "BOGENSCHNITT");
      return;
    case Outcome::kAnswer:
    case Outcome::kTooFar:
      WarnArcDistance(rt, report, report.outcome == Outcome::kAnswer);
      return;
  }
}

void HandleCenterExact(Runtime& rt, const CallArgs& a) {
  if (RefusedLatitudes(rt, {a.num[0], a.num[2], a.num[4]})) {
    SetNoPoint(rt, a, 2);
    return;
  }
  const GeodesicCentre c =
      CentreOnEllipsoid(kWgs84, {a.num[0], a.num[1]}, {a.num[2], a.num[3]}, {a.num[4], a.num[5]});
  rt.SetValue(a.var[0], c.centre.lat);
  rt.SetValue(a.var[1], c.centre.lon);
  using Outcome = GeodesicCentre::Outcome;
  switch (c.outcome) {
    case Outcome::kEqualPoints:
      rt.Warn(std::string("CENTEREXACT") + kEqualPoints, "three different points are needed");
      return;
    case Outcome::kNoInput:
      WarnNoPoint(rt, a, "CENTEREXACT");
      return;
    case Outcome::kUnsolved:
      rt.Warn("CENTEREXACT: no point equally far from the three was found: no answer",
              "points on one line have no centre near them: a point off that line gives a circle");
      return;
    case Outcome::kAnswer:
      if (RefusedUnfixed(
              rt, a, 2, c.uncertainty,
              "the three points lie almost on one line, on a circle of " + Length(c.radius),
              "spread the points around their circle")) {
        return;
      }
      if (c.radius > kFarAway) {
        rt.Note("CENTEREXACT: the centre lies " + Length(c.radius) +
                    " from the points: they lie almost on one line",
                "a circle that large is nearly a line: spread the points around their circle");
      }
      return;
  }
}

void HandleKreuzpeilungExact(Runtime& rt, const CallArgs& a) {
  if (RefusedLatitudes(rt, {a.num[0], a.num[3]})) {
    SetNoPoint(rt, a, 2);
    return;
  }
  const GeodesicCrossing x =
      IntersectGeodesics(kWgs84, a.num[0], a.num[1], a.num[2], a.num[3], a.num[4], a.num[5]);
  rt.SetValue(a.var[0], x.x.lat);
  rt.SetValue(a.var[1], x.x.lon);
  using Outcome = GeodesicCrossing::Outcome;
  switch (x.outcome) {
    case Outcome::kSameLine:
      rt.Warn(std::string("KREUZPEILUNGEXACT") + kSameLine, kSameLineHint);
      return;
    case Outcome::kNoInput:
      WarnNoPoint(rt, a, "KREUZPEILUNGEXACT");
      return;
    case Outcome::kUnsolved:
      rt.Warn("KREUZPEILUNGEXACT: the bearing lines do not cross near the points: no answer",
              "bearings that cross near 90\xB0 fix the point best");
      return;
    case Outcome::kAnswer:
      if (RefusedUnfixed(rt, a, 2, x.uncertainty,
                         "the bearing lines cross at only " + Angle(x.angle),
                         "bearings that cross near 90\xB0 fix the point best")) {
        return;
      }
      WarnBehind(rt, "KREUZPEILUNGEXACT", x.behind_first, x.behind_second);
      if (maths::fmin(x.sight1, x.sight2) > kFarAway) {
        rt.Note("KREUZPEILUNGEXACT: the bearing lines cross " +
                    Length(maths::fmin(x.sight1, x.sight2)) + " from the points, at " +
                    Angle(x.angle),
                "nearly parallel bearings meet far away: bearings that cross near 90\xB0 fix "
                "the point best");
      }
      return;
  }
}

void HandleBogenschnittExact(Runtime& rt, const CallArgs& a) {
  if (RefusedLatitudes(rt, {a.num[0], a.num[2]})) {
    SetNoPoint(rt, a, 4);
    return;
  }
  for (int i = 0; i < 2; ++i) {
    const double r = a.num[4 + i];
    if (r < 0 || r > kLongestRadius) {  // NaN passes, as NaN
      rt.Refuse(kErrRadiusRange, std::string("the ") + kOrdinal[i] + " radius is " + Number(r) +
                                     " m: a radius runs from 0 to 20000 km (20000000 m)");
      SetNoPoint(rt, a, 4);
      return;
    }
  }
  const GeodesicCircles x = IntersectGeodesicCircles(kWgs84, {a.num[0], a.num[1]},
                                                     {a.num[2], a.num[3]}, a.num[4], a.num[5]);
  rt.SetValue(a.var[0], x.a.lat);
  rt.SetValue(a.var[1], x.a.lon);
  rt.SetValue(a.var[2], x.b.lat);
  rt.SetValue(a.var[3], x.b.lon);
  using Outcome = GeodesicCircles::Outcome;
  switch (x.outcome) {
    case Outcome::kSameCentre:
      rt.Warn(std::string("BOGENSCHNITTEXACT") + kSameCentre, kSameCentreHint);
      return;
    case Outcome::kApart:
    case Outcome::kInside:
      WarnMissingCircles(rt, "BOGENSCHNITTEXACT", x.outcome == Outcome::kApart, x.gap, x.d,
                         a.num[4], a.num[5], "");
      return;
    case Outcome::kNoInput:
      WarnNoPoint(rt, a, "BOGENSCHNITTEXACT");
      return;
    case Outcome::kUnsolved:
      rt.Warn("BOGENSCHNITTEXACT: no crossing was found: no answer",
              "a circle that reaches to the far side of the Earth has no crossing that can be "
              "found");
      return;
    case Outcome::kAnswer:
      RefusedUnfixed(rt, a, 4, x.uncertainty,
                     "the circles cross at only " + Angle(x.angle) + ", almost touching",
                     "circles that cross near 90\xB0 fix the points best");
      return;
  }
}

}  // namespace orbelin
