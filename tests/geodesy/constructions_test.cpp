// CENTER, KREUZPEILUNG and BOGENSCHNITT: the plane constructions with exact
// plane values, the geographic routines with their traces, and the
// degenerate inputs. The traced plane coordinates and results below were
// checked against an exact transverse Mercator on the Bessel ellipsoid (and
// an exact geodesic for the 500 m sight points) at the printed precision.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "base/text_sink.h"
#include "geodesy/arc_intersection.h"
#include "geodesy/center.h"
#include "geodesy/construction_error.h"
#include "geodesy/cross_bearing.h"
#include "geodesy/geodesic_inverse.h"
#include "traced.h"

namespace orbelin {
namespace {

bool IsNaN(GeoPoint g) {
  return std::isnan(g.lat) && std::isnan(g.lon);
}

TEST(PlaneCircumcentreTest, KnownCentres) {
  GaussKruegerPoint c{};
  ASSERT_TRUE(PlaneCircumcentre({3500000, 5541000}, {3501000, 5540000}, {3500000, 5539000}, &c));
  EXPECT_EQ(c.r, 3500000);
  EXPECT_EQ(c.h, 5540000);
  // A right triangle: the midpoint of the hypotenuse.
  ASSERT_TRUE(PlaneCircumcentre({0, 0}, {4, 0}, {0, 3}, &c));
  EXPECT_EQ(c.r, 2);
  EXPECT_EQ(c.h, 1.5);
  // Another order, the same centre within rounding.
  ASSERT_TRUE(PlaneCircumcentre({0, 3}, {0, 0}, {4, 0}, &c));
  EXPECT_DOUBLE_EQ(c.r, 2);
  EXPECT_DOUBLE_EQ(c.h, 1.5);
}

TEST(PlaneCircumcentreTest, NoCircleThroughDegeneratePoints) {
  const GaussKruegerPoint untouched{-1, -1};
  const struct {
    GaussKruegerPoint p1, p2, p3;
  } cases[] = {
      {{0, 0}, {0, 0}, {4, 3}},  // P1 = P2
      {{0, 0}, {4, 3}, {4, 3}},  // P2 = P3
      {{0, 0}, {4, 3}, {0, 0}},  // P1 = P3
      {{0, 0}, {1, 1}, {2, 2}},  // collinear
      {{0, 0}, {1, 1}, {kNaN, 2}},
  };
  for (const auto& c : cases) {
    GaussKruegerPoint out = untouched;
    EXPECT_FALSE(PlaneCircumcentre(c.p1, c.p2, c.p3, &out)) << c.p3.r;
    EXPECT_EQ(out.r, untouched.r);
  }
}

TEST(CenterTest, TraceAndResult) {
  GeoPoint c;
  const std::string trace = Traced([&](TextSink* t) {
    c = Center(kWgs84, kBessel, {50, 9}, {50.01, 9.02}, {49.995, 9.03}, t);
  });
  EXPECT_EQ(trace,
            "--> Center\n"
            "50.000000 9.000000\n50.010000 9.020000\n49.995000 9.030000\n\n"
            "sy=3\n"
            "x=3500000.0 y=5540279.5\nx=3501433.4 y=5541391.9\nx=3502150.8 y=5539723.9\n\n"
            "x=3501147.5 y=5540280.6\n"
            "1147.47276\n1147.47276\n1147.47276\n"
            "--> GK2Geo\nR=3501147.5 H=5540280.6\n<-- GK2Geo\n"
            "<-- Center\n");
  EXPECT_NEAR(c.lat, 50.000008696, 1e-8);  // the series against the exact projection
  EXPECT_NEAR(c.lon, 9.016006699, 1e-8);
}

TEST(CenterTest, DegeneratePointsGiveNaNAndKeepTheTrace) {
  GeoPoint c;
  const std::string trace = Traced([&](TextSink* t) {
    c = Center(kWgs84, kBessel, {50, 9}, {50, 9}, {49.995, 9.03}, t);
  });
  EXPECT_TRUE(IsNaN(c));
  EXPECT_EQ(trace.rfind("--> Center\n", 0), 0u);
  EXPECT_NE(trace.find("--> GK2Geo\n"), std::string::npos);
  EXPECT_NE(trace.find("<-- Center\n"), std::string::npos);
  EXPECT_TRUE(IsNaN(Center(kWgs84, kBessel, {50, 9}, {50.01, 9.02}, {50, 9}, nullptr)));
}

TEST(IntersectLinesTest, CrossingAndParallelLines) {
  GaussKruegerPoint x{};
  ASSERT_TRUE(IntersectLines({0, 0}, {1, 1}, {0, 1000}, {1, -1}, &x));
  EXPECT_EQ(x.r, 500);
  EXPECT_EQ(x.h, 500);
  // Lines pointing apart still meet, behind their points.
  ASSERT_TRUE(IntersectLines({0, 0}, {-1, -1}, {0, 1000}, {-1, 1}, &x));
  EXPECT_EQ(x.r, 500);
  EXPECT_FALSE(IntersectLines({0, 0}, {1, 2}, {5, 0}, {2, 4}, &x));  // parallel
  EXPECT_FALSE(IntersectLines({0, 0}, {0, 1}, {0, 5}, {0, 3}, &x));  // one line
}

TEST(CrossBearingTest, MeetsHalfwayEastOfTheMeridian) {
  // On strip 3's central meridian, 1 km apart, sighting 45 and 135 degrees.
  const double north = 50 + 1000 / 111229.0;
  std::string trace;
  GeoPoint x;
  trace =
      Traced([&](TextSink* t) { x = CrossBearing(kWgs84, kBessel, 50, 9, 45, north, 9, 135, t); });
  EXPECT_NEAR(x.lat, 50.004495023, 1e-8);  // the series against the exact projection
  EXPECT_NEAR(x.lon, 9.006974573, 1e-8);
  // The two direct problems, then the back conversion; no trace of its own.
  const size_t first = trace.find("--> CalcBackProjection\n50.00000 9.00000 45.00000 500.0\n");
  const size_t second = trace.find("--> CalcBackProjection\n50.00899 9.00000 135.00000 500.0\n");
  const size_t back = trace.find("--> GK2Geo\nR=3500499.9 H=5540779.5\n<-- GK2Geo\n");
  EXPECT_EQ(first, 0u);
  EXPECT_LT(first, second);
  EXPECT_LT(second, back);
  EXPECT_NE(back, std::string::npos);
  EXPECT_EQ(trace.substr(back), "--> GK2Geo\nR=3500499.9 H=5540779.5\n<-- GK2Geo\n");

  // Exchanging the points with their bearings gives the same point.
  const GeoPoint y = CrossBearing(kWgs84, kBessel, north, 9, 135, 50, 9, 45, nullptr);
  EXPECT_NEAR(y.lat, x.lat, 1e-10);
  EXPECT_NEAR(y.lon, x.lon, 1e-10);
}

TEST(CrossBearingTest, ParallelBearingLinesGiveNaN) {
  // Both along the meridian through both points: one and the same line.
  EXPECT_TRUE(IsNaN(CrossBearing(kWgs84, kBessel, 50, 9, 0, 50.01, 9, 0, nullptr)));
  EXPECT_TRUE(IsNaN(CrossBearing(kWgs84, kBessel, 50, 9, 0, 50.01, 9, 180, nullptr)));
  // The same point and bearing twice.
  EXPECT_TRUE(IsNaN(CrossBearing(kWgs84, kBessel, 50, 8, 30, 50, 8, 30, nullptr)));
  EXPECT_TRUE(IsNaN(CrossBearing(kWgs84, kBessel, 50, 8, kNaN, 50.1, 8, 30, nullptr)));
}

TEST(IntersectCirclesTest, ChordOfTwoCircles) {
  CirclePoints x{};
  // P2 1000 m due north of P1, r1 = 600, r2 = 800: a = 360, h = 480.
  ASSERT_TRUE(IntersectCircles({3500000, 5540000}, {3500000, 5541000}, 600, 800, &x));
  EXPECT_EQ(x.a.r, 3500000 - 480);  // left of P1 -> P2
  EXPECT_EQ(x.a.h, 5540000 + 360);
  EXPECT_EQ(x.b.r, 3500000 + 480);
  EXPECT_EQ(x.b.h, 5540000 + 360);
  // Exchanging the centres with their radii exchanges the solutions.
  CirclePoints y{};
  ASSERT_TRUE(IntersectCircles({3500000, 5541000}, {3500000, 5540000}, 800, 600, &y));
  EXPECT_EQ(y.a.r, x.b.r);
  EXPECT_EQ(y.a.h, x.b.h);
  EXPECT_EQ(y.b.r, x.a.r);
  EXPECT_EQ(y.b.h, x.a.h);
}

TEST(IntersectCirclesTest, TouchingCirclesMeetInOnePoint) {
  CirclePoints x{};
  ASSERT_TRUE(IntersectCircles({0, 0}, {0, 1000}, 400, 600, &x));
  EXPECT_EQ(x.a.r, 0);
  EXPECT_EQ(x.a.h, 400);
  EXPECT_EQ(x.b.r, 0);
  EXPECT_EQ(x.b.h, 400);

  // Touching, but the chord's square comes out a hair below zero.
  const GaussKruegerPoint p1{3499268.7, 5540694.9}, p2{3499796.2, 5540205.0};
  const double dr = p2.r - p1.r, dh = p2.h - p1.h;
  const double d = std::sqrt(dr * dr + dh * dh);
  const double r1 = 357.2, r2 = d - r1;
  const double a = (d * d + r1 * r1 - r2 * r2) / (2 * d);
  ASSERT_LT(r1 * r1 - a * a, 0);
  ASSERT_TRUE(IntersectCircles(p1, p2, r1, r2, &x));
  EXPECT_EQ(x.a.r, x.b.r);
  EXPECT_EQ(x.a.h, x.b.h);
  EXPECT_NEAR(std::hypot(x.a.r - p1.r, x.a.h - p1.h), r1, 1e-6);
}

TEST(IntersectCirclesTest, NoIntersection) {
  CirclePoints x{};
  EXPECT_FALSE(IntersectCircles({0, 0}, {0, 1000}, 400, 599.99, &x));  // apart
  EXPECT_FALSE(IntersectCircles({0, 0}, {0, 1000}, 2000, 500, &x));    // one inside the other
  EXPECT_FALSE(IntersectCircles({5, 5}, {5, 5}, 10, 10, &x));          // equal centres
  EXPECT_FALSE(IntersectCircles({5, 5}, {5, 6}, kNaN, 10, &x));
}

TEST(BogenSchnittTest, TraceAndResult) {
  ArcIntersection x;
  const std::string trace = Traced([&](TextSink* t) {
    x = BogenSchnitt(kWgs84, kBessel, {50, 9}, {50.01, 9.005}, 800, 900, t);
  });
  EXPECT_EQ(trace,
            "--> BogenSchnitt\n"
            "--  GPS: N 50 0.0000 E 9 0.0000 GPS: N 50 0.6000 E 9 0.3000\n"
            "--  GK : H 5540280 R 3500000 GK : H 5541392 R 3500358\n"
            "--   s=1168.49 p=511.50 h=615.12 o=0.95 a=0.31\n"
            "--  GK : H 5540955 R 3499571 GK : H 5540578 R 3500742\n"
            "--> GK2Geo\nR=3499571.4 H=5540955.0\n<-- GK2Geo\n"
            "--> GK2Geo\nR=3500742.3 H=5540577.7\n<-- GK2Geo\n"
            "--  GPS: N 50 0.3644 E 8 59.6412 GPS: N 50 0.1608 E 9 0.6214\n"
            "<-- BogenSchnitt\n");
  EXPECT_NEAR(x.a.lat, 50.006073579, 1e-8);
  EXPECT_NEAR(x.a.lon, 8.994020434, 1e-8);
  EXPECT_NEAR(x.b.lat, 50.002680811, 1e-8);
  EXPECT_NEAR(x.b.lon, 9.010355935, 1e-8);
}

TEST(BogenSchnittTest, CirclesThatDoNotMeetGiveNaNAndKeepTheTrace) {
  ArcIntersection x;
  const std::string trace = Traced([&](TextSink* t) {
    x = BogenSchnitt(kWgs84, kBessel, {50, 9}, {50.01, 9.005}, 100, 200, t);
  });
  EXPECT_TRUE(IsNaN(x.a));
  EXPECT_TRUE(IsNaN(x.b));
  EXPECT_EQ(trace.rfind("--> BogenSchnitt\n", 0), 0u);
  EXPECT_NE(trace.find("<-- BogenSchnitt\n"), std::string::npos);

  x = BogenSchnitt(kWgs84, kBessel, {50, 9}, {50, 9}, 100, 100, nullptr);  // equal centres
  EXPECT_TRUE(IsNaN(x.a));
  EXPECT_TRUE(IsNaN(x.b));
}

// Nearly parallel bearings and nearly collinear points: the plane alone
// gives a plainly wrong point (a latitude of 2e16 degrees, a longitude of
// -2578), the statements give NaN, and the traces stay as they were.
TEST(ConstructionBoundTest, PlainlyWrongAnswersBecomeNaN) {
  const auto cross = [](bool bounded, TextSink* t) {
    return (bounded ? CrossBearing : CrossBearingInPlane)(kWgs84, kBessel, 50, 9, 45, 50.01, 9,
                                                          45.0001, t, nullptr);
  };
  const auto center = [](bool bounded, TextSink* t) {
    return bounded ? Center(kWgs84, kBessel, {50, 9}, {50.01, 9.00000001}, {50.02, 9}, t)
                   : CenterInPlane(kBessel, {50, 9}, {50.01, 9.00000001}, {50.02, 9}, t);
  };
  for (const auto& run : {std::function<GeoPoint(bool, TextSink*)>(cross),
                          std::function<GeoPoint(bool, TextSink*)>(center)}) {
    GeoPoint plane, bounded;
    const std::string plane_trace = Traced([&](TextSink* t) { plane = run(false, t); });
    const std::string bounded_trace = Traced([&](TextSink* t) { bounded = run(true, t); });
    EXPECT_TRUE(std::fabs(plane.lat) > 90 || std::fabs(plane.lon) > 360) << plane.lat;
    EXPECT_TRUE(IsNaN(bounded));
    EXPECT_EQ(bounded_trace, plane_trace);
  }
}

// The statement (with its bound) or the plane construction alone.
GeoPoint CenterOf(bool bounded, GeoPoint p1, GeoPoint p2, GeoPoint p3) {
  return bounded ? Center(kWgs84, kBessel, p1, p2, p3, nullptr)
                 : CenterInPlane(kBessel, p1, p2, p3, nullptr);
}
ArcIntersection ArcOf(bool bounded, GeoPoint p1, GeoPoint p2, double r1, double r2) {
  return bounded ? BogenSchnitt(kWgs84, kBessel, p1, p2, r1, r2, nullptr)
                 : BogenSchnittInPlane(kBessel, p1, p2, r1, r2, nullptr);
}

// Near the bound on either side, against the exact answer T from which the
// inputs were made with GeographicLib: an answer within 1 km of T is given
// as the plane computed it, one beyond is withheld in every output.
TEST(ConstructionBoundTest, AnswersNearTheBound) {
  using Outputs = std::vector<GeoPoint>;
  const struct {
    const char* what;
    std::function<Outputs(bool)> run;  // bounded or plane only
    GeoPoint exact;
    const Ellipsoid* surface;
    bool given;
  } cases[] = {
      {"sights of 30 and 25 km crossing at 0.015 degrees",
       [](bool b) {
         return Outputs{(b ? CrossBearing : CrossBearingInPlane)(
             kWgs84, kBessel, 49.9464669573, 9.9570459129, 19.8903731637, 49.9887554801,
             9.9806813186, 19.9234702070, nullptr, nullptr)};
       },
       {50.2, 10.1},
       &kWgs84,
       true},
      {"the same sights crossing at 0.012 degrees",
       [](bool b) {
         return Outputs{(b ? CrossBearing : CrossBearingInPlane)(
             kWgs84, kBessel, 49.9464669573, 9.9570459129, 19.8903731637, 49.9887514701,
             9.9806984797, 19.9204833740, nullptr, nullptr)};
       },
       {50.2, 10.1},
       &kWgs84,
       false},
      {"a circle of 620 km reaching 7 degrees from the first point's meridian",
       [](bool b) {
         return Outputs{CenterOf(b, {55.3922163776, 13.4433955529}, {54.4528685468, 15.9867921137},
                                 {50.8464919844, 18.7901853743})};
       },
       {50.2, 10.1},
       &kBessel.surface,
       true},
      {"a circle of 640 km",
       [](bool b) {
         return Outputs{CenterOf(b, {55.5579430078, 13.5655466544}, {54.5848213716, 16.1964595218},
                                 {50.8564565423, 19.0737876425})};
       },
       {50.2, 10.1},
       &kBessel.surface,
       false},
      {"radii of 110 and 80 km crossing at 0.5 degrees, 100 km off the meridian",
       [](bool b) {
         const ArcIntersection x = ArcOf(b, {50.1036837370, 10.4679869706},
                                         {50.1382017821, 10.8842348932}, 110000, 80000);
         return Outputs{x.a, x.b};
       },
       {50.2, 12.0},
       &kBessel.surface,
       true},
      {"the same circles crossing at 0.1 degrees",
       [](bool b) {
         const ArcIntersection x = ArcOf(b, {50.1036837370, 10.4679869706},
                                         {50.1332038491, 10.8849913796}, 110000, 80000);
         return Outputs{x.a, x.b};
       },
       {50.2, 12.0},
       &kBessel.surface,
       false},
  };
  for (const auto& c : cases) {
    const Outputs plane = c.run(false), bounded = c.run(true);
    double miss = std::numeric_limits<double>::infinity();
    for (const GeoPoint& p : plane) {
      miss = std::fmin(
          miss,
          CalcProjection(*c.surface, c.exact.lat, c.exact.lon, p.lat, p.lon, nullptr).distance);
    }
    EXPECT_EQ(miss < kErrorBound, c.given) << c.what << ": " << miss << " m off";
    for (size_t i = 0; i < plane.size(); ++i) {
      ASSERT_FALSE(std::isnan(plane[i].lat)) << c.what;
      if (c.given) {
        EXPECT_EQ(bounded[i].lat, plane[i].lat) << c.what;
        EXPECT_EQ(bounded[i].lon, plane[i].lon) << c.what;
      } else {
        EXPECT_TRUE(IsNaN(bounded[i])) << c.what;
      }
    }
  }
}

// Each way to have no answer is told apart, so that the statement can say
// why.
TEST(ConstructionReportTest, WhyThereIsNoAnswer) {
  using CenterWhy = CenterReport::Outcome;
  const struct {
    GeoPoint p[3];
    CenterWhy why;
  } centres[] = {
      {{{50, 9}, {50.01, 9.02}, {49.995, 9.03}}, CenterWhy::kAnswer},
      {{{50, 9}, {50, 9}, {49.995, 9.03}}, CenterWhy::kEqualPoints},
      {{{50, 9}, {50.01, 9.02}, {50, 9}}, CenterWhy::kEqualPoints},
      {{{50, 9}, {50.01, 9}, {50.02, 9}}, CenterWhy::kCollinear},
      {{{50, 9}, {50.01, 9.00000001}, {50.02, 9}}, CenterWhy::kTooFar},
      {{{50, 9}, {kNaN, 9.02}, {49.995, 9.03}}, CenterWhy::kNoInput},
  };
  for (const auto& c : centres) {
    CenterReport r;
    const GeoPoint x = Center(kWgs84, kBessel, c.p[0], c.p[1], c.p[2], nullptr, &r);
    EXPECT_EQ(r.outcome, c.why) << c.p[1].lat << " " << c.p[2].lat;
    EXPECT_EQ(IsNaN(x), c.why != CenterWhy::kAnswer);
  }

  using CrossWhy = CrossBearingReport::Outcome;
  const struct {
    double lat1, lon1, b1, lat2, lon2, b2;
    CrossWhy why;
  } crosses[] = {
      {50, 9, 45, 50.01, 9, 135, CrossWhy::kAnswer},
      {50, 9, 0, 50.01, 9, 180, CrossWhy::kSameLine},
      {50, 8, 30, 50, 8, 30, CrossWhy::kSameLine},
      {50, 9, 45, 50.01, 9, 45.0001, CrossWhy::kTooFar},
      {50, 8, kNaN, 50.1, 8, 30, CrossWhy::kNoInput},
  };
  for (const auto& c : crosses) {
    CrossBearingReport r;
    const GeoPoint x =
        CrossBearing(kWgs84, kBessel, c.lat1, c.lon1, c.b1, c.lat2, c.lon2, c.b2, nullptr, &r);
    EXPECT_EQ(r.outcome, c.why) << c.b1 << " " << c.b2;
    EXPECT_EQ(IsNaN(x), c.why != CrossWhy::kAnswer);
  }

  using ArcWhy = ArcIntersectionReport::Outcome;
  const struct {
    GeoPoint p2;
    double r1, r2;
    ArcWhy why;
    double gap;  // how far the plane circles miss, when they do
  } arcs[] = {
      {{50.01, 9.005}, 800, 900, ArcWhy::kAnswer, 0},
      {{50.01, 9.005}, 100, 200, ArcWhy::kApart, 1168.49 - 300},
      {{50.01, 9.005}, 100, 2000, ArcWhy::kInside, 1900 - 1168.49},
      {{50.01, 9.005}, 2000, 100, ArcWhy::kInside, 1900 - 1168.49},
      {{50, 9}, 100, 100, ArcWhy::kSameCentre, 0},
      {{50.01, 9.005}, kNaN, 100, ArcWhy::kNoInput, 0},
  };
  for (const auto& c : arcs) {
    ArcIntersectionReport r;
    const ArcIntersection x = BogenSchnitt(kWgs84, kBessel, {50, 9}, c.p2, c.r1, c.r2, nullptr, &r);
    EXPECT_EQ(r.outcome, c.why) << c.r1 << " " << c.r2;
    EXPECT_EQ(IsNaN(x.a) && IsNaN(x.b), c.why != ArcWhy::kAnswer);
    if (c.gap > 0) {
      EXPECT_NEAR(CircleGap(r), c.gap, 0.01);
    }
  }
}

// What the statements word their warnings with: the exact answer and the
// measured distance to it, the crossing angle, the size of the figure.
TEST(ConstructionReportTest, DescribesTheFigure) {
  const double north = 50 + 1000 / 111229.0;
  CrossBearingReport cross;
  const GeoPoint x = CrossBearing(kWgs84, kBessel, 50, 9, 45, north, 9, 135, nullptr, &cross);
  ASSERT_EQ(cross.exact.outcome, GeodesicCrossing::Outcome::kAnswer);
  EXPECT_EQ(
      cross.off,
      CalcProjection(kWgs84, x.lat, x.lon, cross.exact.x.lat, cross.exact.x.lon, nullptr).distance);
  EXPECT_LT(cross.off, 0.002);  // a square of 1 km: the plane holds to millimetres
  EXPECT_NEAR(CrossingAngle(cross), 90, 0.01);
  EXPECT_NEAR(LongerSight(cross), 707.1, 0.5);  // half the diagonal of a 1 km square

  CenterReport centre;
  Center(kWgs84, kBessel, {50, 9}, {50.01, 9.02}, {49.995, 9.03}, nullptr, &centre);
  EXPECT_NEAR(CircleRadius(centre), 1147.47276, 1e-5);  // as the trace gives it

  // P2 1000 m from P1 with radii 600 and 800: the radii meet at a right angle.
  ArcIntersectionReport arc;
  arc.d = 1000, arc.r1 = 600, arc.r2 = 800;
  EXPECT_NEAR(CrossingAngle(arc), 90, 1e-9);
  arc.r1 = 400, arc.r2 = 600;  // touching
  EXPECT_NEAR(CrossingAngle(arc), 0, 1e-6);
}

// Bearing lines are whole lines; the report says when the crossing lies
// behind a point, where a sight towards the target cannot reach.
TEST(ConstructionReportTest, CrossingBehindThePoints) {
  const double north = 50 + 1000 / 111229.0;
  const struct {
    double b1, b2;
    bool behind_first, behind_second;
  } cases[] = {
      {45, 135, false, false},
      {225, 315, true, true},
      {45, 315, false, true},
      {225, 135, true, false},
  };
  for (const auto& c : cases) {
    CrossBearingReport r;
    const GeoPoint x = CrossBearing(kWgs84, kBessel, 50, 9, c.b1, north, 9, c.b2, nullptr, &r);
    EXPECT_NEAR(x.lon, 9.006974573, 1e-8) << "the same lines, the same point";
    EXPECT_EQ(r.behind_first, c.behind_first) << c.b1 << " " << c.b2;
    EXPECT_EQ(r.behind_second, c.behind_second) << c.b1 << " " << c.b2;
  }
}

// Circles count as meeting when they meet in the plane or on Bessel's
// ellipsoid. 1.3 degrees off the strip's meridian plane lengths run 1e-4
// long: centres 11999.8 m apart on Bessel's ellipsoid with radii of 6000 m
// miss by 1 m in the plane. The touching point is given, and measured
// against the exact intersections on Bessel's ellipsoid (N 50.0002813
// E 10.3836963 and N 49.9996583 E 10.3836952, from GeographicLib). On
// WGS 84 the same coordinates lie 12001.263 m apart (GeographicLib): the
// circles miss each other there by 1.263 m.
TEST(BogenSchnittTest, CirclesThatMeetOnTheEllipsoidTouch) {
  const GeoPoint p1{50.0, 10.3}, p2{49.9998792633, 10.4673912637};
  EXPECT_TRUE(IsNaN(BogenSchnittInPlane(kBessel, p1, p2, 6000, 6000, nullptr).a));
  ArcIntersectionReport r;
  const ArcIntersection x = BogenSchnitt(kWgs84, kBessel, p1, p2, 6000, 6000, nullptr, &r);
  EXPECT_EQ(r.outcome, ArcIntersectionReport::Outcome::kAnswer);
  EXPECT_TRUE(r.touching);
  EXPECT_EQ(x.a.lat, x.b.lat);
  EXPECT_EQ(x.a.lon, x.b.lon);
  for (const GeoPoint exact : {GeoPoint{50.0002813, 10.3836963}, {49.9996583, 10.3836952}}) {
    const double off =
        CalcProjection(kBessel.surface, x.a.lat, x.a.lon, exact.lat, exact.lon, nullptr).distance;
    EXPECT_NEAR(off, 34.65, 0.05);
  }
  EXPECT_NEAR(r.own_off, 34.65, 0.05);
  EXPECT_EQ(r.exact.outcome, GeodesicCircles::Outcome::kApart);
  EXPECT_NEAR(r.exact.gap, 1.263, 0.001);
  // Shorter radii by 0.2 m: the circles miss on the ellipsoid too.
  const ArcIntersection none = BogenSchnitt(kWgs84, kBessel, p1, p2, 5999.8, 5999.8, nullptr, &r);
  EXPECT_TRUE(IsNaN(none.a));
  EXPECT_EQ(r.outcome, ArcIntersectionReport::Outcome::kApart);
  EXPECT_FALSE(r.touching);
}

}  // namespace
}  // namespace orbelin
