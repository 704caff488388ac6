// Variable names follow the notation key in geodesy/cross_bearing.h.
#include "geodesy/cross_bearing.h"

#include "base/maths.h"
#include "geodesy/construction_error.h"
#include "geodesy/degenerate.h"
#include "geodesy/geodesic_direct.h"

namespace orbelin {

namespace {

constexpr double kSightLength = 500.0;  // metres along each bearing

GaussKruegerPoint Construct(GaussKruegerPoint p1, GaussKruegerPoint d1, GaussKruegerPoint p2,
                            GaussKruegerPoint d2, double* d_out) {
  const double d = d1.r * d2.h - d1.h * d2.r;
  const double n = p2.r * d2.h - p2.h * d2.r - p1.r * d2.h + p1.h * d2.r;
  const double s = n / d;
  *d_out = d;
  return {s * d1.r + p1.r, s * d1.h + p1.h};
}

double Dot(GaussKruegerPoint a, GaussKruegerPoint b) {
  return a.r * b.r + a.h * b.h;
}

GaussKruegerPoint Minus(GaussKruegerPoint a, GaussKruegerPoint b) {
  return {a.r - b.r, a.h - b.h};
}

}  // namespace

double CrossingAngle(const CrossBearingReport& r) {
  const double cross = r.d1.r * r.d2.h - r.d1.h * r.d2.r;
  return ToDeg(maths::atan2(maths::fabs(cross), maths::fabs(Dot(r.d1, r.d2))));
}

double LongerSight(const CrossBearingReport& r) {
  const GaussKruegerPoint a = Minus(r.x, r.p1), b = Minus(r.x, r.p2);
  return maths::fmax(maths::hypot(a.r, a.h), maths::hypot(b.r, b.h));
}

bool IntersectLines(GaussKruegerPoint p1, GaussKruegerPoint d1, GaussKruegerPoint p2,
                    GaussKruegerPoint d2, GaussKruegerPoint* at) {
  double d = 0;
  const GaussKruegerPoint x = Construct(p1, d1, p2, d2, &d);
  if (IsDegenerate(d)) return false;
  *at = x;
  return true;
}

GeoPoint CrossBearingInPlane(const Ellipsoid& sight, const GaussKruegerEllipsoid& plane,
                             double lat1, double lon1, double bearing1, double lat2, double lon2,
                             double bearing2, TextSink* trace, CrossBearingReport* report) {
  const DirectResult q1 = CalcBackProjection(sight, lat1, lon1, bearing1, kSightLength, trace);
  const DirectResult q2 = CalcBackProjection(sight, lat2, lon2, bearing2, kSightLength, trace);
  const int k = MkzStrip(lon1);
  const GaussKruegerPoint p1 = Geo2GK(plane, lat1, lon1, k);
  const GaussKruegerPoint p2 = Geo2GK(plane, lat2, lon2, k);
  const GaussKruegerPoint e1 = Geo2GK(plane, q1.lat, q1.lon, k);
  const GaussKruegerPoint e2 = Geo2GK(plane, q2.lat, q2.lon, k);
  const GaussKruegerPoint d1{e1.r - p1.r, e1.h - p1.h};
  const GaussKruegerPoint d2{e2.r - p2.r, e2.h - p2.h};
  double d = 0;
  const GaussKruegerPoint x = Construct(p1, d1, p2, d2, &d);
  GeoPoint result = GK2Geo(plane, x.r, x.h, trace);
  if (report) {
    *report = CrossBearingReport{};
    report->p1 = p1, report->d1 = d1, report->p2 = p2, report->d2 = d2, report->x = x;
    using Outcome = CrossBearingReport::Outcome;
    if (maths::isnan(d)) {
      report->outcome = Outcome::kNoInput;
    } else if (d == 0) {
      // Parallel, or one line: then P2 lies on line 1 as well.
      const GaussKruegerPoint apart = Minus(p2, p1);
      report->outcome =
          apart.r * d1.h - apart.h * d1.r == 0 ? Outcome::kSameLine : Outcome::kParallel;
    } else {
      // The bearings look away from the crossing: a bearing the wrong way round.
      report->behind_first = Dot(Minus(x, p1), d1) < 0;
      report->behind_second = Dot(Minus(x, p2), d2) < 0;
    }
  }
  if (IsDegenerate(d)) {
    // Parallel lines have no intersection to report.
    result.lat = result.lon = kNoValue;
  }
  return result;
}

GeoPoint CrossBearing(const Ellipsoid& sight, const GaussKruegerEllipsoid& plane, double lat1,
                      double lon1, double bearing1, double lat2, double lon2, double bearing2,
                      TextSink* trace, CrossBearingReport* report) {
  GeoPoint result =
      CrossBearingInPlane(sight, plane, lat1, lon1, bearing1, lat2, lon2, bearing2, trace, report);
  // No point in the plane, nothing to measure.
  if (maths::isnan(result.lat) && maths::isnan(result.lon)) return result;
  const double estimate =
      CrossBearingError(sight, lat1, lon1, bearing1, lat2, lon2, bearing2, result);
  if (report) report->estimate = estimate;
  if (!(estimate <= kErrorBound)) {
    // Nearly parallel lines, or sights too long for straight lines: the
    // point is too far from where the geodesics meet to be an answer.
    result.lat = result.lon = kNoValue;
    if (report && report->outcome == CrossBearingReport::Outcome::kAnswer) {
      report->outcome = CrossBearingReport::Outcome::kTooFar;
    }
  }
  return result;
}

}  // namespace orbelin
