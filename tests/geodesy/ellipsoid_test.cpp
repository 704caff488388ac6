// The circle constants, the degree conversions and the derived WGS 84
// quantities, against the system's recorded doubles (b agrees with the
// 6356752.3142 m of NIMA TR8350.2 to its last digit).
#include "geodesy/ellipsoid.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "geodesy/angles.h"

namespace orbelin {
namespace {

TEST(AnglesTest, DegreeConversionsUseGeoPi) {
  EXPECT_EQ(std::bit_cast<uint64_t>(ToRad(180)), 0x400921FB54442D19u);  // 3.1415926535897936
  EXPECT_DOUBLE_EQ(ToDeg(ToRad(57.3)), 57.3);
  EXPECT_DOUBLE_EQ(ToRad(-90), -std::acos(-1.0) / 2);
}

TEST(AnglesTest, WrapsIntoTheirRanges) {
  EXPECT_DOUBLE_EQ(Wrap2Pi(-0.5), GeoPi * 2 - 0.5);
  EXPECT_EQ(Wrap2Pi(0), 0);
  EXPECT_DOUBLE_EQ(WrapPi(GeoPi + 0.5), -GeoPi + 0.5);
  EXPECT_EQ(WrapPi(GeoPi), -GeoPi);  // [-pi, pi): pi itself wraps
  EXPECT_DOUBLE_EQ(WrapHalfPi(0.7), 0.7);
  EXPECT_DOUBLE_EQ(WrapHalfPi(-0.7), -0.7);
}

TEST(EllipsoidTest, DerivedWgs84QuantitiesAreTheRecordedDoubles) {
  const Ellipsoid& e = kWgs84;
  EXPECT_EQ(e.a, 6378137.0);
  EXPECT_EQ(e.f, 0.003352810664747481);
  EXPECT_EQ(e.b, 6356752.314245179);
  EXPECT_EQ(e.e2, 0.006694379990141316);
  EXPECT_EQ(e.ep2, 0.006739496742276434);
  EXPECT_EQ(e.n, 0.0016792203863837205);
  EXPECT_EQ(e.arc_a, 6367449.145823415);
  EXPECT_EQ(e.arc_b, 16038.508662976266);
  EXPECT_EQ(e.arc_c, 16.832613263150265);
  EXPECT_EQ(e.arc_d, 0.021984404134262194);
  EXPECT_EQ(e.arc_e, 0.00003114837105572334);
}

TEST(EllipsoidTest, CompileTimeValuesEqualARunTimeDerivation) {
  volatile double a = 6378137.0;
  volatile double f = 0.003352810664747481;
  const Ellipsoid run = DeriveEllipsoid(a, f);
  const double* x = &run.a;
  const double* y = &kWgs84.a;
  for (int i = 0; i < 11; ++i)
    EXPECT_EQ(std::bit_cast<uint64_t>(x[i]), std::bit_cast<uint64_t>(y[i])) << i;
}

TEST(EllipsoidTest, RadiiAtEquatorAndPole) {
  const Ellipsoid& e = kWgs84;
  EXPECT_EQ(PrimeVerticalRadius(e.a, e.e2, 0), e.a);
  EXPECT_EQ(MeridianRadius(e.a, e.e2, 0), e.a * (1 - e.e2));
  // At the pole both radii are a^2 / b.
  EXPECT_NEAR(PrimeVerticalRadius(e.a, e.e2, GeoPi / 2), e.a * e.a / e.b, 1e-6);
  EXPECT_NEAR(MeridianRadius(e.a, e.e2, GeoPi / 2), e.a * e.a / e.b, 1e-6);
  // The quarter meridian of WGS 84 is 10001965.729 m.
  EXPECT_NEAR(MeridianArc(e, std::acos(-1.0) / 2), 10001965.729, 1e-3);
}

}  // namespace
}  // namespace orbelin
