#include "linalg/lin3.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orbelin {
namespace {

TEST(Lin3, SolvesByCramersRule) {
  const double c[12] = {1, 1, 1, 6, 1, 2, 3, 14, 2, 1, 1, 7};
  double x = 0, y = 0, z = 0;
  ASSERT_TRUE(SolveLin3(c, &x, &y, &z));
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 2);
  EXPECT_EQ(z, 3);
}

TEST(Lin3, TheDeterminantThresholdIsAbsolute) {
  double x = -1, y = -1, z = -1;
  const double singular[12] = {1, 2, 3, 0, 2, 4, 6, 0, 1, 1, 1, 0};
  EXPECT_FALSE(SolveLin3(singular, &x, &y, &z));
  const double tiny[12] = {0.005, 0, 0, 1, 0, 0.005, 0, 1, 0, 0, 0.005, 1};  // D = 1.25e-7
  EXPECT_FALSE(SolveLin3(tiny, &x, &y, &z));
  const double nan[12] = {NAN, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1};
  EXPECT_FALSE(SolveLin3(nan, &x, &y, &z));
  EXPECT_EQ(x, -1);                                                        // untouched on failure
  const double small[12] = {0.01, 0, 0, 1, 0, 0.01, 0, 1, 0, 0, 0.01, 1};  // D just above 1e-6
  ASSERT_TRUE(SolveLin3(small, &x, &y, &z));
  EXPECT_NEAR(x, 100, 1e-9);
  EXPECT_NEAR(y, 100, 1e-9);
  EXPECT_NEAR(z, 100, 1e-9);
}

TEST(Lin3, Det3KeepsTheSarrusOrder) {
  EXPECT_EQ(Det3(1, 2, 3, 4, 5, 6, 7, 8, 10), -3);
  EXPECT_EQ(Det3(2, 0, 0, 0, 3, 0, 0, 0, 4), 24);
}

}  // namespace
}  // namespace orbelin
