// The forge's own trigonometry: the same bits on every machine, and close
// enough to the true values that shapes rotated with it keep their size.
#include <gtest/gtest.h>

#include <cmath>

#include "forge/paint/paint_math.h"

namespace torvel::forge {
namespace {

TEST(PaintMath, SineAndCosineAgreeWithTheTrueValuesOverManyTurns) {
  for (int i = -40000; i <= 40000; ++i) {
    const double x = i * 0.00157;  // about ten turns each way
    ASSERT_NEAR(Sin(x), std::sin(x), 1e-14) << x;
    ASSERT_NEAR(Cos(x), std::cos(x), 1e-14) << x;
    ASSERT_NEAR(Sin(x) * Sin(x) + Cos(x) * Cos(x), 1.0, 1e-14) << x;
  }
}

TEST(PaintMath, Atan2FindsTheAngleInEveryQuadrant) {
  for (int i = 0; i < 3600; ++i) {
    const double a = -kPi + i * (kTwoPi / 3600) + 1e-6;
    for (double r : {1e-3, 1.0, 250.0}) {
      ASSERT_NEAR(Atan2(r * std::sin(a), r * std::cos(a)), std::atan2(std::sin(a), std::cos(a)),
                  2e-15)
          << a << " at radius " << r;
    }
  }
  EXPECT_EQ(Atan2(0, 0), 0);
  EXPECT_NEAR(Atan2(0, -1), kPi, 1e-15);
  EXPECT_NEAR(Atan2(-1, 0), -kPi / 2, 1e-15);
}

}  // namespace
}  // namespace torvel::forge
