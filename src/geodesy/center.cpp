// Variable names follow the notation key in geodesy/center.h.
#include "geodesy/center.h"

#include "base/maths.h"
#include "base/text_sink.h"
#include "geodesy/construction_error.h"
#include "geodesy/degenerate.h"

namespace orbelin {

namespace {

// The bisector arithmetic itself; D is handed out for the caller's test.
GaussKruegerPoint Construct(GaussKruegerPoint p1, GaussKruegerPoint p2, GaussKruegerPoint p3,
                            double* d_out) {
  const GaussKruegerPoint m12{(p1.r + p2.r) / 2, (p1.h + p2.h) / 2};
  const GaussKruegerPoint d1{-(p2.h - p1.h), p2.r - p1.r};
  const GaussKruegerPoint m23{(p2.r + p3.r) / 2, (p2.h + p3.h) / 2};
  const GaussKruegerPoint d2{-(p3.h - p2.h), p3.r - p2.r};
  const double d = d2.r * d1.h - d2.h * d1.r;
  const double n = (m12.r * d1.h - m12.h * d1.r) - (m23.r * d1.h - m23.h * d1.r);
  const double u = n / d;
  *d_out = d;
  return {d2.r * u + m23.r, d2.h * u + m23.h};
}

bool Same(GaussKruegerPoint a, GaussKruegerPoint b) {
  return a.r == b.r && a.h == b.h;
}

}  // namespace

double CircleRadius(const CenterReport& r) {
  return maths::hypot(r.centre.r - r.p[0].r, r.centre.h - r.p[0].h);
}

bool PlaneCircumcentre(GaussKruegerPoint p1, GaussKruegerPoint p2, GaussKruegerPoint p3,
                       GaussKruegerPoint* centre) {
  double d = 0;
  const GaussKruegerPoint c = Construct(p1, p2, p3, &d);
  if (IsDegenerate(d)) return false;
  *centre = c;
  return true;
}

GeoPoint CenterInPlane(const GaussKruegerEllipsoid& plane, GeoPoint g1, GeoPoint g2, GeoPoint g3,
                       TextSink* trace, CenterReport* report) {
  if (trace) {
    trace->Write("--> Center\n");
    for (const GeoPoint& g : {g1, g2, g3}) trace->Printf("%.6f %.6f\n", g.lat, g.lon);
    trace->Write("\n");
  }
  const int k = MkzStrip(g1.lon);
  if (trace) trace->Printf("sy=%d\n", k);
  const GaussKruegerPoint p[3] = {Geo2GK(plane, g1.lat, g1.lon, k),
                                  Geo2GK(plane, g2.lat, g2.lon, k),
                                  Geo2GK(plane, g3.lat, g3.lon, k)};
  if (trace) {
    for (const GaussKruegerPoint& q : p) trace->Printf("x=%9.1f y=%9.1f\n", q.r, q.h);
    trace->Write("\n");
  }
  double d = 0;
  const GaussKruegerPoint c = Construct(p[0], p[1], p[2], &d);
  if (trace) {
    trace->Printf("x=%9.1f y=%9.1f\n", c.r, c.h);
    for (const GaussKruegerPoint& q : p) {
      trace->Printf("%.5f\n", maths::sqrt((c.r - q.r) * (c.r - q.r) + (c.h - q.h) * (c.h - q.h)));
    }
  }
  GeoPoint result = GK2Geo(plane, c.r, c.h, trace);
  if (report) {
    *report = CenterReport{};
    for (int i = 0; i < 3; ++i) report->p[i] = p[i];
    report->centre = c;
    using Outcome = CenterReport::Outcome;
    if (maths::isnan(d)) {
      report->outcome = Outcome::kNoInput;
    } else if (d == 0) {
      report->outcome = Same(p[0], p[1]) || Same(p[1], p[2]) || Same(p[0], p[2])
                            ? Outcome::kEqualPoints
                            : Outcome::kCollinear;
    }
  }
  if (IsDegenerate(d)) {
    // No circle goes through the points; say so instead of a far-off point.
    result.lat = result.lon = kNoValue;
  }
  if (trace) trace->Write("<-- Center\n");
  return result;
}

GeoPoint Center(const GaussKruegerEllipsoid& plane, GeoPoint g1, GeoPoint g2, GeoPoint g3,
                TextSink* trace, CenterReport* report) {
  GeoPoint result = CenterInPlane(plane, g1, g2, g3, trace, report);
  // No centre in the plane, nothing to measure.
  if (maths::isnan(result.lat) && maths::isnan(result.lon)) return result;
  const double estimate = CenterError(plane.surface, g1, g2, g3, result);
  if (report) report->estimate = estimate;
  if (!(estimate <= kErrorBound)) {
    // Too far from the point equally far from the three to be an answer.
    result.lat = result.lon = kNoValue;
    if (report && report->outcome == CenterReport::Outcome::kAnswer) {
      report->outcome = CenterReport::Outcome::kTooFar;
    }
  }
  return result;
}

}  // namespace orbelin
