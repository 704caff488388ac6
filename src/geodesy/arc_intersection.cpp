// Variable names follow the notation key in geodesy/arc_intersection.h.
#include "geodesy/arc_intersection.h"

#include <limits>

#include "base/maths.h"
#include "base/text_sink.h"
#include "geodesy/construction_error.h"
#include "geodesy/degenerate.h"
#include "output/coord_writers.h"

namespace orbelin {

namespace {

struct Construction {
  double d, a, h, e, o;
  CirclePoints points;
  bool meet;
};

// With `touch`, circles that miss count as touching.
Construction Construct(GaussKruegerPoint p1, GaussKruegerPoint p2, double r1, double r2,
                       bool touch = false) {
  Construction c;
  const double dr = p2.r - p1.r;
  const double dh = p2.h - p1.h;
  c.d = maths::sqrt(dr * dr + dh * dh);
  c.a = (c.d * c.d + r1 * r1 - r2 * r2) / (2 * c.d);
  double h2 = r1 * r1 - c.a * c.a;
  // Touching circles miss by rounding as often as they meet.
  const bool touching = h2 < 0 && (touch || h2 >= -1e-12 * (r1 * r1));
  if (touching) h2 = 0;
  c.h = maths::sqrt(h2);
  c.e = dr / c.d;
  c.o = dh / c.d;
  const double rb = c.e * c.a + p1.r;
  const double hb = c.o * c.a + p1.h;
  c.points.a = {rb - c.o * c.h, hb + c.e * c.h};
  c.points.b = {rb + c.o * c.h, hb - c.e * c.h};
  c.meet = c.d != 0 && h2 >= 0;  // false for NaN as well
  return c;
}

void TraceGps(TextSink& out, GeoPoint a, GeoPoint b) {
  out.Write("--  ");
  WriteGPS(out, a.lat, a.lon);
  out.Write(" ");
  WriteGPS(out, b.lat, b.lon);
  out.Write("\n");
}

void TraceGk(TextSink& out, GaussKruegerPoint a, GaussKruegerPoint b) {
  out.Write("--  ");
  WriteGK(out, a.h, a.r);
  out.Write(" ");
  WriteGK(out, b.h, b.r);
  out.Write("\n");
}

}  // namespace

bool IntersectCircles(GaussKruegerPoint p1, GaussKruegerPoint p2, double r1, double r2,
                      CirclePoints* out) {
  const Construction c = Construct(p1, p2, r1, r2);
  if (!c.meet) return false;
  *out = c.points;
  return true;
}

double CircleGap(const ArcIntersectionReport& r) {
  return maths::fmax(r.d - (maths::fabs(r.r1) + maths::fabs(r.r2)), maths::fabs(r.r1 - r.r2) - r.d);
}

double CrossingAngle(const ArcIntersectionReport& r) {
  // The angle between the radii to a crossing point is that between the
  // circles' tangents there.
  const double c = (r.r1 * r.r1 + r.r2 * r.r2 - r.d * r.d) / (2 * r.r1 * r.r2);
  const double angle = ToDeg(maths::acos(maths::fmax(-1.0, maths::fmin(1.0, c))));
  return maths::fmin(angle, 180 - angle);
}

namespace {

// The trace and the back conversion of a construction made in the plane.
ArcIntersection Finish(const GaussKruegerEllipsoid& plane, GeoPoint g1, GeoPoint g2,
                       GaussKruegerPoint p1, GaussKruegerPoint p2, const Construction& c,
                       TextSink* trace) {
  if (trace) {
    trace->Write("--> BogenSchnitt\n");
    TraceGps(*trace, g1, g2);
    TraceGk(*trace, p1, p2);
    trace->Write("--  ");
    trace->Printf(" s=%.2f p=%.2f h=%.2f o=%.2f a=%.2f\n", c.d, c.a, c.h, c.o, c.e);
    TraceGk(*trace, c.points.a, c.points.b);
  }
  ArcIntersection result;
  result.a = GK2Geo(plane, c.points.a.r, c.points.a.h, trace);
  result.b = GK2Geo(plane, c.points.b.r, c.points.b.h, trace);
  if (trace) {
    TraceGps(*trace, result.a, result.b);
    trace->Write("<-- BogenSchnitt\n");
  }
  if (!c.meet) {
    // No intersection exists; give no numbers that look like one.
    result.a = result.b = GeoPoint{kNoValue, kNoValue};
  }
  return result;
}

// Why the plane circles give no points, or kAnswer.
ArcIntersectionReport::Outcome Classify(const Construction& c, double r1, double r2) {
  using Outcome = ArcIntersectionReport::Outcome;
  if (maths::isnan(c.d)) return Outcome::kNoInput;
  if (c.d == 0) return Outcome::kSameCentre;
  if (!maths::isfinite(c.a)) return Outcome::kNoInput;
  if (c.meet) return Outcome::kAnswer;
  return c.d > maths::fabs(r1) + maths::fabs(r2) ? Outcome::kApart : Outcome::kInside;
}

void Record(ArcIntersectionReport* report, ArcIntersectionReport::Outcome outcome,
            const Construction& c, double r1, double r2) {
  if (!report) return;
  *report = ArcIntersectionReport{};
  report->outcome = outcome;
  report->d = c.d, report->r1 = r1, report->r2 = r2;
}

}  // namespace

ArcIntersection BogenSchnittInPlane(const GaussKruegerEllipsoid& plane, GeoPoint g1, GeoPoint g2,
                                    double r1, double r2, TextSink* trace,
                                    ArcIntersectionReport* report) {
  const int k = MkzStrip(g1.lon);
  const GaussKruegerPoint p1 = Geo2GK(plane, g1.lat, g1.lon, k);
  const GaussKruegerPoint p2 = Geo2GK(plane, g2.lat, g2.lon, k);
  const Construction c = Construct(p1, p2, r1, r2);
  Record(report, Classify(c, r1, r2), c, r1, r2);
  return Finish(plane, g1, g2, p1, p2, c, trace);
}

ArcIntersection BogenSchnitt(const GaussKruegerEllipsoid& plane, GeoPoint g1, GeoPoint g2,
                             double r1, double r2, TextSink* trace, ArcIntersectionReport* report) {
  using Outcome = ArcIntersectionReport::Outcome;
  const int k = MkzStrip(g1.lon);
  const GaussKruegerPoint p1 = Geo2GK(plane, g1.lat, g1.lon, k);
  const GaussKruegerPoint p2 = Geo2GK(plane, g2.lat, g2.lon, k);
  Construction c = Construct(p1, p2, r1, r2);
  Outcome outcome = Classify(c, r1, r2);
  bool touching = false;
  if (outcome == Outcome::kApart || outcome == Outcome::kInside) {
    // The radii are plane lengths, which differ from those on the ground by
    // up to 5e-4: circles that meet on the ellipsoid may just miss in the
    // plane, as others just meet in the plane that miss on the ellipsoid.
    // Both count as meeting, within the error the estimate then gives.
    touching = GeodesicCircleGap(plane.surface, g1, g2, r1, r2) <= 0;
    if (touching) {
      c = Construct(p1, p2, r1, r2, true);
      outcome = Outcome::kAnswer;
    }
  }
  ArcIntersection result = Finish(plane, g1, g2, p1, p2, c, trace);
  double estimate = 0;
  if (c.meet) {
    const double ea = ArcIntersectionError(plane.surface, g1, g2, r1, r2, result.a);
    const double eb = ArcIntersectionError(plane.surface, g1, g2, r1, r2, result.b);
    estimate = maths::isnan(ea) || maths::isnan(eb) ? std::numeric_limits<double>::infinity()
                                                    : maths::fmax(ea, eb);
    if (!(estimate <= kErrorBound)) {
      // Circles that barely cross, or too large for the plane: at least one
      // point is too far from the intersection on the ellipsoid. Both go, as
      // the statement's outputs stand or fall together.
      result.a = result.b = GeoPoint{kNoValue, kNoValue};
      outcome = Outcome::kTooFar;
    }
  }
  Record(report, outcome, c, r1, r2);
  if (report) {
    report->estimate = estimate;
    report->touching = touching;
  }
  return result;
}

}  // namespace orbelin
