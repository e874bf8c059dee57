#include "core/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(RoundTo, NearestMultipleHalvesAwayFromZero) {
  struct Case {
    double v, step, expected;
  } cases[] = {
      {10.4, 5, 10}, {12.5, 5, 15},     {-12.5, 5, -15},     {2.5, 1, 3},
      {-2.5, 1, -3}, {0.35, 0.1, 0.4},  {1.005, 0.01, 1.01}, {7, 0.5, 7},
      {-0.2, 1, 0},  {123.456, 1, 123}, {3, 0, 3},           {3, -2, 3},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(ObjectExportRoundTo(c.v, c.step), c.expected, 1e-12) << c.v << " / " << c.step;
  EXPECT_FALSE(std::signbit(ObjectExportRoundTo(-0.2, 1)));
  EXPECT_TRUE(std::isnan(ObjectExportRoundTo(std::nan(""), 1)));
  EXPECT_EQ(ObjectExportRoundTo(5, std::numeric_limits<double>::infinity()), 5);
}

TEST(RoundUp, SmallestMultipleNotBelow) {
  struct Case {
    double v, step, tolerance, expected;
  } cases[] = {
      {10, 5, 0, 10},        {10.4, 5, 0, 15},
      {-10.4, 5, 0, -10},    {0.30000000000000004, 0.1, 0, 0.3},
      {10.4, 5, 1, 15},       // a dimension tolerance never rounds down noticeably
      {10.000004, 5, 1, 10},  // within a millionth of the step
      {10.00001, 5, 1, 15},  {10.0000001, 5, 0, 15},
      {7, 0, 0, 7},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(ObjectExportRoundUp(c.v, c.step, c.tolerance), c.expected, 1e-12)
        << c.v << " / " << c.step << " ~ " << c.tolerance;
}
