// Variable names follow the notation key in geodesy/arc_intersection.h.
#include "geodesy/arc_intersection.h"

#include <cmath>

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

Construction Construct(GaussKruegerPoint p1, GaussKruegerPoint p2, double r1, double r2) {
  Construction c;
  const double dr = p2.r - p1.r;
  const double dh = p2.h - p1.h;
  c.d = std::sqrt(dr * dr + dh * dh);
  c.a = (c.d * c.d + r1 * r1 - r2 * r2) / (2 * c.d);
  double h2 = r1 * r1 - c.a * c.a;
  // Touching circles miss by rounding as often as they meet.
  const bool touching = h2 < 0 && h2 >= -1e-12 * (r1 * r1);
  if (touching) h2 = 0;
  c.h = std::sqrt(h2);
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

ArcIntersection BogenSchnittInPlane(const GaussKruegerEllipsoid& plane, GeoPoint g1, GeoPoint g2,
                                    double r1, double r2, TextSink* trace) {
  if (trace) {
    trace->Write("--> BogenSchnitt\n");
    TraceGps(*trace, g1, g2);
  }
  const int k = MkzStrip(g1.lon);
  const GaussKruegerPoint p1 = Geo2GK(plane, g1.lat, g1.lon, k);
  const GaussKruegerPoint p2 = Geo2GK(plane, g2.lat, g2.lon, k);
  if (trace) TraceGk(*trace, p1, p2);
  const Construction c = Construct(p1, p2, r1, r2);
  if (trace) {
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

ArcIntersection BogenSchnitt(const GaussKruegerEllipsoid& plane, GeoPoint g1, GeoPoint g2,
                             double r1, double r2, TextSink* trace) {
  ArcIntersection result = BogenSchnittInPlane(plane, g1, g2, r1, r2, trace);
  if (!(ArcIntersectionError(plane.surface, g1, g2, r1, r2, result.a) <= kErrorBound) ||
      !(ArcIntersectionError(plane.surface, g1, g2, r1, r2, result.b) <= kErrorBound)) {
    // Circles that barely cross, or too large for the plane: at least one
    // point is too far from the intersection on the ellipsoid. Both go, as
    // the statement's outputs stand or fall together.
    result.a = result.b = GeoPoint{kNoValue, kNoValue};
  }
  return result;
}

}  // namespace orbelin
