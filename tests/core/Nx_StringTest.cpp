#include "core/CaseBlindKey.h"
#include "core/Nx_String.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

TEST(NxStringNumber, DropsTrailingZerosUnlessAsked) {
  EXPECT_EQ(Nx_String(10.0, 6, false).str(), "10");
  EXPECT_EQ(Nx_String(2.5, 2, false).str(), "2.5");
  EXPECT_EQ(Nx_String(2.5, 2, true).str(), "2.50");
  EXPECT_EQ(Nx_String(-0.0001, 2, false).str(), "0");
  EXPECT_EQ(Nx_String(-1.25, 1, false).str(), "-1.2");  // binary value below the half
  EXPECT_EQ(Nx_String(1234567.0, 0, false).str(), "1234567");
  // Precisions the module passes, and values that round to zero.
  EXPECT_EQ(Nx_String(10.0, 6, true).str(), "10.000000");
  EXPECT_EQ(Nx_String(0.1 + 0.2, 8, false).str(), "0.3");
  EXPECT_EQ(Nx_String(12.345678, 4, false).str(), "12.3457");
  EXPECT_EQ(Nx_String(-0.0001, 2, true).str(), "0.00");
  EXPECT_EQ(Nx_String(-0.4, 0, false).str(), "0");
  EXPECT_EQ(Nx_String(-12.0, 7, false).str(), "-12");
  EXPECT_EQ(Nx_String(1e20, 1, false).str(), "100000000000000000000");
}

// The digits are printf's "%.*f" to the last one, ties and huge values included.
TEST(NxStringNumber, DigitsAreThoseOfPrintf) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-12, 22);
  std::vector<double> values = {0.125,   0.375,  2.5,           -2.5, 1.005, 1e300,
                                -1e-300, 5e-324, 123456789.125, 0.5,  1.5,   9.9999999999999995e-8};
  for (int i = 0; i < 4000; ++i) {
    double v = std::pow(10.0, exponent(random)) * (i % 2 ? -1 : 1);
    values.push_back(v);
    values.push_back(std::round(v * 1024) / 1024);  // exact binary fractions: ties
  }
  char expected[400];
  for (double v : values) {
    for (int precision = 0; precision <= 15; ++precision) {
      std::snprintf(expected, sizeof expected, "%.*f", precision, v);
      std::string want = expected;
      if (want[0] == '-' && want.find_first_not_of("-0.") == std::string::npos) want.erase(0, 1);
      ASSERT_EQ(Nx_String(v, precision, true).str(), want) << v << " " << precision;
    }
  }
}

TEST(NxStringCompare, FlagChoosesCase) {
  Nx_String a("Height"), b("HEIGHT");
  EXPECT_TRUE(a.equal(b, false));
  EXPECT_FALSE(a.equal(b, true));
  EXPECT_EQ(Nx_String("my_Height").find("height", false), 3);
  EXPECT_EQ(Nx_String("my_Height").find("height", true), -1);
  EXPECT_TRUE(Nx_String("Plate.THK").endsWith(".thk", false));
  // Bytes above 0x7F are compared as they are.
  EXPECT_FALSE(Nx_String("\xC4").equal("\xE4", false));
  // Case differs past a common start, or only at the end; only letters fold.
  EXPECT_TRUE(Nx_String("gen_PlateStep").equal("gen_platestep", false));
  EXPECT_TRUE(Nx_String("Module.Bolts").equal("Module.BoltS", false));
  EXPECT_FALSE(Nx_String("Module.Bolts").equal("Module.BoltS", true));
  EXPECT_FALSE(Nx_String("Tab[1]").equal("Tab{1}", false));
  EXPECT_FALSE(Nx_String("ab@").equal("ab`", false));
  EXPECT_TRUE(Nx_String().equal("", false));
}

TEST(NxStringCompare, CaseBlindKeysFindAnySpelling) {
  caseblind::Map<int> index;
  index.try_emplace("Plate_Thickness", 1);
  EXPECT_FALSE(index.try_emplace("PLATE_thickness", 2).second);  // the first spelling stays
  for (std::string_view name : {"plate_thickness", "PLATE_THICKNESS", "Plate_Thickness"}) {
    auto it = index.find(name);
    ASSERT_NE(it, index.end()) << name;
    EXPECT_EQ(it->second, 1);
  }
  // As Nx_String compares: only ASCII letters fold, and the length counts.
  EXPECT_FALSE(index.contains(std::string_view("Plate_Thickness ")));
  caseblind::Set bytes{"\xC4", "a@"};
  EXPECT_FALSE(bytes.contains(std::string_view("\xE4")));
  EXPECT_FALSE(bytes.contains(std::string_view("A`")));
  EXPECT_TRUE(bytes.contains(std::string_view("A@")));
}

TEST(NxStringEdit, ReplaceCountsAndKeepsRest) {
  Nx_String s("a-b-c");
  EXPECT_EQ(s.replace("-", "--"), 2);
  EXPECT_EQ(s.str(), "a--b--c");
  EXPECT_EQ(s.replace("", "x"), 0);
  EXPECT_EQ(Nx_String("abc").mid(5).str(), "");
  EXPECT_EQ(Nx_String("abc").right(9).str(), "abc");
}

TEST(NxStringNumbers, StrictAndLenient) {
  double d = 0;
  EXPECT_TRUE(Nx_String(" 12.5 ").toDouble(d));
  EXPECT_DOUBLE_EQ(d, 12.5);
  EXPECT_FALSE(Nx_String("12abc").toDouble(d));
  EXPECT_DOUBLE_EQ(Nx_String("12abc").toDouble(), 12.0);
  int i = 0;
  EXPECT_FALSE(Nx_String("1.5").toInt(i));
  EXPECT_TRUE(Nx_String("-7").toInt(i));
  EXPECT_EQ(i, -7);
}

TEST(NxStringNumbers, OnlyDecimalTextIsANumber) {
  for (const char* text : {"nan", "NAN", "-nan", "inf", "-Infinity", "0x1A", "0x1p3", "1e400",
                           "-1e999", "", " ", "."}) {
    double d = 42;
    EXPECT_FALSE(Nx_String(text).toDouble(d)) << text;
    EXPECT_EQ(d, 42) << text << ": a refused text leaves the value";
    EXPECT_EQ(Nx_String(text).toDouble(), 0) << text;
    int i = 42;
    EXPECT_FALSE(Nx_String(text).toInt(i)) << text;
  }
  // The lenient forms take the leading decimal number only.
  EXPECT_EQ(Nx_String("0x1A").toDouble(), 0);
  EXPECT_EQ(Nx_String("0x1A").toInt(), 0);
  EXPECT_EQ(Nx_String(" 12.7mm").toInt(), 12);
  EXPECT_EQ(Nx_String("99999999999").toInt(), 0) << "beyond int, not undefined";
  EXPECT_EQ(Nx_String("+5").toInt(), 5);
  double d = 0;
  ASSERT_TRUE(Nx_String("+.5e1").toDouble(d));
  EXPECT_EQ(d, 5);
  ASSERT_TRUE(Nx_String("5.").toDouble(d));
  EXPECT_EQ(d, 5);
  // Too small for a double is 0, with its sign.
  ASSERT_TRUE(Nx_String("-1e-400").toDouble(d));
  EXPECT_EQ(d, 0);
  EXPECT_TRUE(std::signbit(d));
  ASSERT_TRUE(Nx_String("0.0001e-320").toDouble(d));
  EXPECT_EQ(d, 0);
  ASSERT_TRUE(Nx_String("1.7976931348623157e308").toDouble(d));
  EXPECT_FALSE(Nx_String("17976931348623159e292").toDouble(d));
  EXPECT_FALSE(Nx_String("1e99999999999999999999").toDouble(d));
}
