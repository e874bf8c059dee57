#include "platform/grid/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/grid/CellAddress.h"

using namespace grid;

TEST(GeneralFormat, SignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(formatGeneral(0), "0");
  EXPECT_EQ(formatGeneral(-0.0), "0");
  EXPECT_EQ(formatGeneral(10), "10");
  EXPECT_EQ(formatGeneral(2.5), "2.5");
  EXPECT_EQ(formatGeneral(-1234.5678), "-1234.5678");
  EXPECT_EQ(formatGeneral(0.1 + 0.2), "0.3");
  EXPECT_EQ(formatGeneral(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(formatGeneral(2.0 / 3), "0.666666666666667");
  EXPECT_EQ(formatGeneral(123456789012345.0), "123456789012345");
  EXPECT_EQ(formatGeneral(0.000000001), "0.000000001");
}

TEST(GeneralFormat, ExponentOutsidePlainRange) {
  EXPECT_EQ(formatGeneral(1e15), "1E+15");
  EXPECT_EQ(formatGeneral(1.5e20), "1.5E+20");
  EXPECT_EQ(formatGeneral(1e-10), "1E-10");
  EXPECT_EQ(formatGeneral(-2.25e-12), "-2.25E-12");
  EXPECT_EQ(formatGeneral(1e300), "1E+300");
  EXPECT_EQ(formatGeneral(NAN), "#NUM!");
}

TEST(FixedFormat, DecimalsAndSeparators) {
  EXPECT_EQ(formatFixed(2.5, 2), "2.50");
  EXPECT_EQ(formatFixed(2.675, 2), "2.68");
  EXPECT_EQ(formatFixed(-0.001, 2), "0.00");
  EXPECT_EQ(formatFixed(1234567.891, 1, true), "1,234,567.9");
  EXPECT_EQ(formatFixed(-1234, 0, true), "-1,234");
  EXPECT_EQ(formatFixed(999, 0, true), "999");
  // Every digit of the exact value, however long or small.
  EXPECT_EQ(formatFixed(1e22, 0), "10000000000000000000000");
  EXPECT_EQ(formatFixed(1e22, 1, true), "10,000,000,000,000,000,000,000.0");
  EXPECT_EQ(formatFixed(1e300, 0).size(), 301u);
  EXPECT_EQ(formatFixed(-1.7976931348623157e308, 15).size(), 1u + 309 + 1 + 15);
  EXPECT_EQ(formatFixed(0.1, 15), "0.100000000000000");
  EXPECT_EQ(formatFixed(5e-324, 15), "0.000000000000000");
  EXPECT_EQ(formatFixed(-0.0, 3), "0.000");
}

TEST(ParseNumber, AcceptsSpreadsheetForms) {
  double d = 0;
  EXPECT_TRUE(parseNumber(" 12.5 ", d));
  EXPECT_DOUBLE_EQ(d, 12.5);
  EXPECT_TRUE(parseNumber("-.5", d));
  EXPECT_DOUBLE_EQ(d, -0.5);
  EXPECT_TRUE(parseNumber("1e3", d));
  EXPECT_DOUBLE_EQ(d, 1000);
  EXPECT_TRUE(parseNumber("50%", d));
  EXPECT_DOUBLE_EQ(d, 0.5);
  EXPECT_TRUE(parseNumber("+7", d));
  EXPECT_TRUE(parseNumber("1,234.5", d, true));
  EXPECT_DOUBLE_EQ(d, 1234.5);
}

TEST(ParseNumber, RefusesEverythingElse) {
  double d = 0;
  for (const char* bad : {"", " ", "abc", "12abc", "inf", "nan", "0x10", "1e", "1e999", "--1",
                          "1.2.3", ".", "1,234", "%"})
    EXPECT_FALSE(parseNumber(bad, d)) << bad;
}

TEST(RoundDecimal, HalvesAwayFromZeroAsTheUserReadsTheNumber) {
  EXPECT_DOUBLE_EQ(roundDecimal(2.5, 0), 3);
  EXPECT_DOUBLE_EQ(roundDecimal(-2.5, 0), -3);
  EXPECT_DOUBLE_EQ(roundDecimal(2.675, 2), 2.68);
  EXPECT_DOUBLE_EQ(roundDecimal(1.005, 2), 1.01);
  EXPECT_DOUBLE_EQ(roundDecimal(1234.5, -2), 1200);
  EXPECT_DOUBLE_EQ(roundDecimal(0.004, 2), 0);
  EXPECT_DOUBLE_EQ(roundDecimal(0.005, 2), 0.01);
  EXPECT_DOUBLE_EQ(roundDecimal(9.995, 2), 10);
  EXPECT_DOUBLE_EQ(roundDecimal(3.14159, 2, RoundMode::TowardZero), 3.14);
  EXPECT_DOUBLE_EQ(roundDecimal(-3.14159, 2, RoundMode::AwayFromZero), -3.15);
  EXPECT_DOUBLE_EQ(roundDecimal(0.0001, 2, RoundMode::AwayFromZero), 0.01);
  EXPECT_DOUBLE_EQ(roundDecimal(5, 2), 5);
}

TEST(CellNames, ColumnsCountFromA) {
  EXPECT_EQ(columnName(1), "A");
  EXPECT_EQ(columnName(26), "Z");
  EXPECT_EQ(columnName(27), "AA");
  EXPECT_EQ(columnName(16384), "XFD");
  int c = 0, r = 0;
  EXPECT_TRUE(parseCellName("xfd1048576", c, r));
  EXPECT_EQ(c, 16384);
  EXPECT_EQ(r, 1048576);
  EXPECT_FALSE(parseCellName("XFE1", c, r));
  EXPECT_FALSE(parseCellName("A0", c, r));
  EXPECT_FALSE(parseCellName("A1B", c, r));
}

TEST(RoundDecimal, AlwaysTheNearerNeighbourOfTheShownNumber) {
  // Over many magnitudes and decimals, away from halves (where the rule
  // decides), the result is the multiple nearer to the 15-digit number.
  std::uint64_t state = 12345;
  for (int i = 0; i < 200000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    double mantissa = static_cast<double>(state >> 11) / 9007199254740992.0;
    int exponent = static_cast<int>((state >> 3) % 24) - 10;
    double v = (mantissa - 0.5) * std::pow(10.0, exponent);
    int digits = static_cast<int>(state % 9);
    // The number as its 15 significant digits say.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    double shown = std::strtod(buf, nullptr);
    double scaled = std::fabs(shown) * std::pow(10.0, digits);
    double r = roundDecimal(v, digits);
    double lower = std::floor(scaled) / std::pow(10.0, digits),
           upper = (std::floor(scaled) + 1) / std::pow(10.0, digits);
    // The result is one of the two neighbours, the nearer one unless at a half.
    double a = std::fabs(r) - lower, b = upper - std::fabs(r);
    ASSERT_TRUE(std::fabs(a) < 1e-9 * std::max(1.0, upper) ||
                std::fabs(b) < 1e-9 * std::max(1.0, upper))
        << v << " " << digits;
    double frac = scaled - std::floor(scaled);
    if (std::fabs(frac - 0.5) > 1e-6) {
      double expect = (frac > 0.5 ? upper : lower);
      ASSERT_NEAR(std::fabs(r), expect, 1e-9 * std::max(1.0, expect)) << v << " " << digits;
    }
  }
}

TEST(GeneralFormat, FifteenDigitsAsPrintfRoundsThem) {
  // Values whose shortest form is short and values that need all 17 digits.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> spread(-1e6, 1e6);
  EXPECT_EQ(formatGeneral(5e-324), "4.94065645841247E-324");
  for (double tiny : {5e-324, 2.5e-320, 1e-310}) {  // fewer digits than a normal number
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.14E", tiny);
    EXPECT_EQ(roundSignificant(tiny), std::strtod(printed, nullptr)) << printed;
  }
  for (int i = 0; i < 20000; ++i) {
    double v = i % 4 == 0   ? std::round(spread(random) * 100) / 100
               : i % 4 == 1 ? spread(random)
               : i % 4 == 2 ? spread(random) * 1e-12
                            : std::ldexp(spread(random), 900);
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.14E", v);
    double back = std::strtod(printed, nullptr);
    SCOPED_TRACE(printed);
    ASSERT_EQ(roundSignificant(v), back);
  }
}
