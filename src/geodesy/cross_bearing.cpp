// Variable names follow the notation key in geodesy/cross_bearing.h.
#include "geodesy/cross_bearing.h"

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

}  // namespace

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
                             double bearing2, TextSink* trace) {
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
  if (IsDegenerate(d)) {
    // Parallel lines have no intersection to report.
    result.lat = result.lon = kNoValue;
  }
  return result;
}

GeoPoint CrossBearing(const Ellipsoid& sight, const GaussKruegerEllipsoid& plane, double lat1,
                      double lon1, double bearing1, double lat2, double lon2, double bearing2,
                      TextSink* trace) {
  GeoPoint result =
      CrossBearingInPlane(sight, plane, lat1, lon1, bearing1, lat2, lon2, bearing2, trace);
  if (!(CrossBearingError(sight, lat1, lon1, bearing1, lat2, lon2, bearing2, result) <=
        kErrorBound)) {
    // Nearly parallel lines, or sights too long for straight lines: the
    // point is too far from where the geodesics meet to be an answer.
    result.lat = result.lon = kNoValue;
  }
  return result;
}

}  // namespace orbelin
