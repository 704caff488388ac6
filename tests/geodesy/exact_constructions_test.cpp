// The constructions solved on the ellipsoid itself, against GeographicLib:
// each set of given points was made with GeographicLib's exact geodesics on
// WGS 84 from a known point T (points at exact distances and azimuths from
// T, exact bearings towards it), so T is the exact answer; where a second
// answer is checked, it is the root GeographicLib's inverse problem gives
// by Newton's method. Inputs carry ten decimals (0.01 mm).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/exact_arc_intersection.h"
#include "geodesy/exact_center.h"
#include "geodesy/exact_cross_bearing.h"
#include "geodesy/geodesic_direct.h"
#include "geodesy/geodesic_inverse.h"

namespace orbelin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr GeoPoint kT = {50.2, 10.1};

double Metres(GeoPoint a, GeoPoint b) {
  return CalcProjection(kWgs84, a.lat, a.lon, b.lat, b.lon, nullptr).distance;
}

bool IsNaN(GeoPoint p) {
  return std::isnan(p.lat) && std::isnan(p.lon);
}

TEST(IntersectGeodesicsTest, MeetsWhereTheBearingsWereTaken) {
  const struct {
    const char* what;
    double lat1, lon1, b1, lat2, lon2, b2;
    double angle;
  } cases[] = {
      {"sights of 30 and 25 km, 75 degrees apart", 49.9464669573, 9.9570459129, 19.8903731637,
       50.2190646532, 9.7510417444, 94.7318636190, 75},
      {"sights of 200 and 140 km, 2 degrees apart", 48.5063714019, 9.1743832723, 19.2976148278,
       49.0306549171, 9.3828616618, 21.4537158671, 2},
  };
  for (const auto& c : cases) {
    const GeodesicCrossing x =
        IntersectGeodesics(kWgs84, c.lat1, c.lon1, c.b1, c.lat2, c.lon2, c.b2);
    ASSERT_EQ(x.outcome, GeodesicCrossing::Outcome::kAnswer) << c.what;
    EXPECT_LT(Metres(x.x, kT), 0.001) << c.what;
    EXPECT_NEAR(x.angle, c.angle, 0.01) << c.what;
    EXPECT_FALSE(x.behind_first || x.behind_second) << c.what;
    // Either line first: the same point.
    const GeodesicCrossing y =
        IntersectGeodesics(kWgs84, c.lat2, c.lon2, c.b2, c.lat1, c.lon1, c.b1);
    EXPECT_LT(Metres(y.x, x.x), 0.001) << c.what;
  }
}

// Whole lines, as KREUZPEILUNG takes them: bearings turned round cross at
// the same place, behind the points; meridians meet at the pole.
TEST(IntersectGeodesicsTest, WholeLinesAndWhereTheyCannotCross) {
  const double lat1 = 49.9464669573, lon1 = 9.9570459129, b1 = 19.8903731637;
  const double lat2 = 50.2190646532, lon2 = 9.7510417444, b2 = 94.7318636190;
  GeodesicCrossing x = IntersectGeodesics(kWgs84, lat1, lon1, b1 + 180, lat2, lon2, b2);
  EXPECT_LT(Metres(x.x, kT), 0.001);
  EXPECT_TRUE(x.behind_first);
  EXPECT_FALSE(x.behind_second);
  x = IntersectGeodesics(kWgs84, lat1, lon1, b1 - 180, lat2, lon2, b2 + 180);
  EXPECT_TRUE(x.behind_first && x.behind_second);

  x = IntersectGeodesics(kWgs84, 50, 9, 0, 50, 10, 0);
  EXPECT_NEAR(x.x.lat, 90, 1e-9);

  using Outcome = GeodesicCrossing::Outcome;
  const struct {
    double lat1, lon1, b1, lat2, lon2, b2;
    Outcome outcome;
  } none[] = {
      {50, 9, 0, 50.01, 9, 180, Outcome::kSameLine},  // one meridian, both ways
      {50, 8, 30, 50, 8, 210, Outcome::kSameLine},    // one point, one line
      {0, 8, 90, 0, 9, 90, Outcome::kSameLine},       // the equator
      {50, 8, kNaN, 50.1, 8, 30, Outcome::kNoInput}, {91, 8, 30, 50.1, 8, 30, Outcome::kNoInput},
  };
  for (const auto& c : none) {
    x = IntersectGeodesics(kWgs84, c.lat1, c.lon1, c.b1, c.lat2, c.lon2, c.b2);
    EXPECT_EQ(x.outcome, c.outcome) << c.lat1 << " " << c.b1 << " " << c.b2;
    EXPECT_TRUE(IsNaN(x.x));
  }
  // One point with two bearings: the lines cross there.
  x = IntersectGeodesics(kWgs84, 50, 8, 30, 50, 8, 100);
  EXPECT_EQ(x.x.lat, 50);
  EXPECT_EQ(x.x.lon, 8);
}

TEST(CentreOnEllipsoidTest, IsEquallyFarFromTheThree) {
  const struct {
    const char* what;
    GeoPoint p[3];
    double radius;
  } cases[] = {
      {"a circle of 20 km",
       {{50.3798000952, 10.1}, {50.1684502324, 10.3756836340}, {50.0842261963, 9.8859325197}},
       20000},
      {"a circle of 300 km",
       {{52.8530052715, 10.8730548657},
        {48.4234436115, 13.2054342564},
        {49.2119924107, 6.2293468577}},
       300000},
  };
  for (const auto& c : cases) {
    for (int turn = 0; turn < 3; ++turn) {  // the order of the points does not matter
      const GeodesicCentre x =
          CentreOnEllipsoid(kWgs84, c.p[turn], c.p[(turn + 1) % 3], c.p[(turn + 2) % 3]);
      ASSERT_EQ(x.outcome, GeodesicCentre::Outcome::kAnswer) << c.what;
      EXPECT_LT(Metres(x.centre, kT), 0.001) << c.what;
      EXPECT_NEAR(x.radius, c.radius, 0.001) << c.what;
    }
  }
}

TEST(CentreOnEllipsoidTest, PointsThatGiveNoCentre) {
  using Outcome = GeodesicCentre::Outcome;
  const struct {
    GeoPoint p[3];
    Outcome outcome;
  } cases[] = {
      {{{50, 9}, {50, 9}, {49.995, 9.03}}, Outcome::kEqualPoints},
      {{{50, 9}, {50.01, 9.02}, {50, 9}}, Outcome::kEqualPoints},
      {{{50, 9}, {kNaN, 9.02}, {49.995, 9.03}}, Outcome::kNoInput},
      {{{50, 9}, {50.01, 9.02}, {-90.5, 9.03}}, Outcome::kNoInput},
  };
  for (const auto& c : cases) {
    const GeodesicCentre x = CentreOnEllipsoid(kWgs84, c.p[0], c.p[1], c.p[2]);
    EXPECT_EQ(x.outcome, c.outcome) << c.p[1].lat << " " << c.p[2].lat;
    EXPECT_TRUE(IsNaN(x.centre));
  }
  // Three points on a meridian lie on a great circle of the sphere: the
  // point equally far from them is a quarter of the way round the Earth.
  const GeodesicCentre far = CentreOnEllipsoid(kWgs84, {50, 9}, {50.01, 9}, {50.02, 9});
  ASSERT_EQ(far.outcome, Outcome::kAnswer);
  EXPECT_GT(far.radius, 9.9e6);
  const double s1 = Metres({50, 9}, far.centre), s3 = Metres({50.02, 9}, far.centre);
  EXPECT_NEAR(s1, s3, 0.001);
}

TEST(IntersectGeodesicCirclesTest, BothCrossingsOnTheirSides) {
  const struct {
    const char* what;
    GeoPoint p1, p2;
    double r1, r2;
    GeoPoint a, b;  // left and right of P1 -> P2
  } cases[] = {
      // T lies right of P1 -> P2; A is GeographicLib's other root.
      {"radii of 30 and 20 km, 110 degrees apart",
       {49.9464669573, 9.9570459129},
       {50.3153751677, 9.8848963309},
       30000,
       20000,
       {kNaN, kNaN},
       kT},
      // Made from B = N 49.5 E 8.3: the circles cross at 1 degree.
      {"radii of 5 km, 10 km apart",
       {49.5449560046, 8.3},
       {49.455050485, 8.3012035663},
       5000,
       5000,
       {49.5000068407, 8.3012046657},
       {49.5, 8.3}},
      {"radii of 800 and 900 m",
       {50, 9},
       {50.01, 9.005},
       800,
       900,
       {50.0060733691, 8.9940223363},
       {50.0026813055, 9.0103541746}},
  };
  for (const auto& c : cases) {
    const GeodesicCircles x = IntersectGeodesicCircles(kWgs84, c.p1, c.p2, c.r1, c.r2);
    ASSERT_EQ(x.outcome, GeodesicCircles::Outcome::kAnswer) << c.what;
    if (!IsNaN(c.a)) {
      EXPECT_LT(Metres(x.a, c.a), 0.001) << c.what;
    }
    EXPECT_LT(Metres(x.b, c.b), 0.001) << c.what;
    EXPECT_NEAR(Metres(x.a, c.p1), c.r1, 1e-6) << c.what;
    EXPECT_NEAR(Metres(x.a, c.p2), c.r2, 1e-6) << c.what;
    // The other way round: A and B change places.
    const GeodesicCircles y = IntersectGeodesicCircles(kWgs84, c.p2, c.p1, c.r2, c.r1);
    EXPECT_LT(Metres(y.a, x.b), 0.001) << c.what;
    EXPECT_LT(Metres(y.b, x.a), 0.001) << c.what;
  }
}

// P2 3000 m from P1 under 60 degrees (GeographicLib): radii of 1000 and
// 2000 m touch 1000 m along that line, at N 50.0044945974 E 9.0120802992.
// Touching circles are ill-conditioned (a change of d by 1 um moves their
// crossings 4 cm apart), so the radii are set against this library's own
// distance, to miss by half a micrometre: rounding, which counts as touching.
TEST(IntersectGeodesicCirclesTest, TouchingMissingAndNoCircles) {
  using Outcome = GeodesicCircles::Outcome;
  const GeoPoint p1{50, 9}, p2{50.0134800078, 9.0362476558};
  const GeoPoint touch{50.0044945974, 9.0120802992};
  const double d = Metres(p1, p2);
  EXPECT_NEAR(d, 3000, 1e-4);
  GeodesicCircles x = IntersectGeodesicCircles(kWgs84, p1, p2, 1000, d - 1000 - 5e-7);
  ASSERT_EQ(x.outcome, Outcome::kAnswer);
  EXPECT_LT(Metres(x.a, touch), 0.001);
  EXPECT_EQ(x.a.lat, x.b.lat);
  EXPECT_EQ(x.a.lon, x.b.lon);
  EXPECT_NEAR(x.angle, 0, 1e-6);
  // The smaller circle inside the larger, touching it from within.
  for (double r1 : {d + 1000 + 5e-7, 1000 - d - 5e-7 + 2 * d}) {
    x = IntersectGeodesicCircles(kWgs84, p1, p2, r1, 1000);
    ASSERT_EQ(x.outcome, Outcome::kAnswer) << r1;
    EXPECT_NEAR(Metres(x.a, p1), r1, 1e-6);
    EXPECT_NEAR(Metres(x.a, p2), 1000, 1e-5);
  }
  x = IntersectGeodesicCircles(kWgs84, p1, p2, 1000, d + 1000 - 5e-7);
  ASSERT_EQ(x.outcome, Outcome::kAnswer);
  EXPECT_NEAR(Metres(x.a, p2), d + 1000, 1e-5);  // beyond P1, seen from P2

  const struct {
    double r1, r2;
    Outcome outcome;
    double gap;
  } missing[] = {
      {1000, 1999.9, Outcome::kApart, 0.1},
      {900, 1000, Outcome::kApart, 1100},
      {100, 3500, Outcome::kInside, 400},
      {3500, 100, Outcome::kInside, 400},
  };
  for (const auto& c : missing) {
    x = IntersectGeodesicCircles(kWgs84, p1, p2, c.r1, c.r2);
    EXPECT_EQ(x.outcome, c.outcome) << c.r1 << " " << c.r2;
    EXPECT_NEAR(x.gap, c.gap, 1e-4) << c.r1 << " " << c.r2;  // P2 to 10 decimals
    EXPECT_TRUE(IsNaN(x.a) && IsNaN(x.b));
    // Where they come closest: halfway between the two circles.
    const double s1 = Metres(p1, x.closest), s2 = Metres(p2, x.closest);
    EXPECT_NEAR(std::fabs(s1 - c.r1), x.gap / 2, 1e-6) << c.r1 << " " << c.r2;
    EXPECT_NEAR(std::fabs(s2 - c.r2), x.gap / 2, 1e-6) << c.r1 << " " << c.r2;
  }

  EXPECT_EQ(IntersectGeodesicCircles(kWgs84, p1, p1, 100, 100).outcome, Outcome::kSameCentre);
  for (double r : {-1.0, kNaN, 2.1e7}) {
    EXPECT_EQ(IntersectGeodesicCircles(kWgs84, p1, p2, r, 2000).outcome, Outcome::kNoInput) << r;
  }
  EXPECT_EQ(IntersectGeodesicCircles(kWgs84, {95, 9}, p2, 1000, 2000).outcome, Outcome::kNoInput);
}

// How far an answer may move for the rounding of doubles: below a
// millimetre where the figure is well shaped, above it where points lie
// almost on one line, lines almost run together or circles almost touch;
// and it bounds how far the answer actually moves when an input moves by
// a few units in the last place (a few nanometres), the rounding it stands for.
GeoPoint Nudged(GeoPoint p) {
  for (int i = 0; i < 4; ++i) p.lat = std::nextafter(p.lat, 90.0);
  return p;
}

GeoPoint From(GeoPoint p, double azimuth, double metres) {
  const DirectResult r = CalcBackProjection(kWgs84, p.lat, p.lon, azimuth, metres, nullptr);
  return {r.lat, r.lon};
}

TEST(ExactUncertaintyTest, BoundsTheMoveOfTheAnswer) {
  const struct {
    double size, shape;              // metres; degrees of arc or of crossing
    bool centre_fixed, lines_fixed;  // to a millimetre
  } cases[] = {
      {1000, 230, true, true},      {30000, 23, true, true},   {30000, 2, true, true},
      {30000, 0.2, false, true},    {1000, 0.02, false, true}, {30000, 0.002, false, false},
      {2000000, 0.2, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << " m, " << c.shape << " degrees");
    // Three points on a circle around T, spread over the arc.
    const GeoPoint p1 = From(kT, 20, c.size), p2 = From(kT, 20 + c.shape / 3, c.size),
                   p3 = From(kT, 20 + c.shape, c.size);
    const GeodesicCentre centre = CentreOnEllipsoid(kWgs84, p1, p2, p3);
    const GeodesicCentre moved = CentreOnEllipsoid(kWgs84, Nudged(p1), p2, p3);
    if (centre.outcome == GeodesicCentre::Outcome::kAnswer &&
        moved.outcome == GeodesicCentre::Outcome::kAnswer) {
      EXPECT_EQ(centre.uncertainty <= 0.001, c.centre_fixed) << centre.uncertainty;
      EXPECT_LE(Metres(centre.centre, moved.centre), centre.uncertainty);
    } else {
      EXPECT_FALSE(c.centre_fixed);  // too nearly one line to find a centre
    }

    // Bearings from two points towards T, crossing at the angle.
    const GeoPoint o1 = From(kT, 20, c.size), o2 = From(kT, 20 + c.shape, 0.7 * c.size);
    const auto towards = [](GeoPoint o) {
      return CalcProjection(kWgs84, o.lat, o.lon, kT.lat, kT.lon, nullptr).azimuth;
    };
    const GeodesicCrossing cross =
        IntersectGeodesics(kWgs84, o1.lat, o1.lon, towards(o1), o2.lat, o2.lon, towards(o2));
    ASSERT_EQ(cross.outcome, GeodesicCrossing::Outcome::kAnswer);
    EXPECT_EQ(cross.uncertainty <= 0.001, c.lines_fixed) << cross.uncertainty;
    const GeoPoint n1 = Nudged(o1);
    const GeodesicCrossing cross_moved =
        IntersectGeodesics(kWgs84, n1.lat, n1.lon, towards(o1), o2.lat, o2.lon, towards(o2));
    EXPECT_LE(Metres(cross.x, cross_moved.x), cross.uncertainty);

    // Circles around the same two points through T, crossing at the angle.
    const double r1 = Metres(o1, kT), r2 = Metres(o2, kT);
    const GeodesicCircles circles = IntersectGeodesicCircles(kWgs84, o1, o2, r1, r2);
    ASSERT_EQ(circles.outcome, GeodesicCircles::Outcome::kAnswer);
    EXPECT_EQ(circles.uncertainty <= 0.001, c.lines_fixed) << circles.uncertainty;
    const GeodesicCircles circles_moved = IntersectGeodesicCircles(kWgs84, n1, o2, r1, r2);
    if (circles_moved.outcome == GeodesicCircles::Outcome::kAnswer) {
      EXPECT_LE(Metres(circles.b, circles_moved.b), circles.uncertainty);
    }
  }
}

}  // namespace
}  // namespace orbelin
