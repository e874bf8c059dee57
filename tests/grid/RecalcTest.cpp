#include <gtest/gtest.h>

#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::fill;

TEST(Recalc, DependencyOrderNotSheetOrder) {
  Sheet s;
  // Each cell reads the one below it: sheet order would be wrong every time.
  s.setMaxCols(1);
  s.setMaxRows(200);
  s.setData(1, 200, "1");
  for (int r = 199; r >= 1; --r) s.setFormula(1, r, "=A" + std::to_string(r + 1) + "+1", false);
  ASSERT_TRUE(s.reCalc());
  EXPECT_EQ(s.getValue(1, 1), "200");
}

TEST(Recalc, LongChainsNeedNoDeepStack) {
  Sheet s;
  s.setMaxCols(1);
  s.setMaxRows(200000);
  s.setData(1, 1, "0");
  for (int r = 2; r <= 200000; ++r) s.setFormula(1, r, "=A" + std::to_string(r - 1) + "+1", false);
  ASSERT_TRUE(s.reCalc());
  EXPECT_EQ(s.getValue(1, 200000), "199999");
  s.setData(1, 1, "1");
  ASSERT_TRUE(s.reCalcCell(1, 200000));
  EXPECT_EQ(s.getValue(1, 200000), "200000");
}

TEST(Recalc, CyclesGiveAnErrorNotAHang) {
  Sheet s;
  fill(s, {{"A1", "=B1+1"},
           {"B1", "=A1+1"},
           {"C1", "=A1*2"},
           {"D1", "=D1"},
           {"E1", "=SUM(E2:E3)"},
           {"E2", "=E1"},
           {"F1", "5"},
           {"F2", "=F1*2"}});
  ASSERT_TRUE(s.reCalc());
  EXPECT_EQ(s.getValue(1, 1), "#REF!");
  EXPECT_EQ(s.getValue(2, 1), "#REF!");
  EXPECT_EQ(s.getValue(3, 1), "#REF!");  // reads a cycle
  EXPECT_EQ(s.getValue(4, 1), "#REF!");
  EXPECT_EQ(s.getValue(5, 1), "#REF!");
  EXPECT_EQ(s.getValue(6, 2), "10");  // the rest is computed
  ASSERT_TRUE(s.reCalcCell(3, 1));
  EXPECT_EQ(s.getValue(3, 1), "#REF!");
}

TEST(Recalc, ExplicitUnlessOptionSevenIsOn) {
  Sheet s;
  fill(s, {{"A1", "1"}, {"A2", "=A1*2"}, {"A3", "=A2+A1"}, {"B1", "=SUM(A1:A3)"}});
  s.setMaxRows(4);
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 1), "6");
  s.setData(1, 1, "10");
  EXPECT_EQ(s.getValue(1, 3), "3");  // not yet
  ASSERT_TRUE(s.reCalcCell(1, 3));   // the cell and what it reads
  EXPECT_EQ(s.getValue(1, 3), "30");
  EXPECT_EQ(s.getValue(2, 1), "6");  // others wait for a recalculation
  ASSERT_TRUE(s.setBool(7, true));
  s.setData(1, 1, "100");
  EXPECT_EQ(s.getValue(1, 3), "300");
  EXPECT_EQ(s.getValue(2, 1), "600");
  ASSERT_TRUE(s.setFormula(1, 2, "=A1*3"));
  EXPECT_EQ(s.getValue(2, 1), "800");
  s.insRow(1);
  EXPECT_EQ(s.getValue(2, 2), "800");
  EXPECT_EQ(s.getFormula(2, 2), "SUM(A2:A4)");
}

TEST(Recalc, SetFormulaComputesAtOnceUnlessDeferred) {
  Sheet s;
  fill(s, {{"A1", "4"}});
  s.setMaxCols(3);
  ASSERT_TRUE(s.setFormula(2, 1, "=A1*2"));
  EXPECT_EQ(s.getValue(2, 1), "8");
  ASSERT_TRUE(s.setFormula(3, 1, "=A1*3", false));
  EXPECT_EQ(s.getValue(3, 1), "");
  s.reCalc();
  EXPECT_EQ(s.getValue(3, 1), "12");
}

TEST(Recalc, TallAndShortBlocksOrderTheirFormulas) {
  Sheet s;
  s.setMaxCols(3);
  s.setMaxRows(100);
  // Formulas inside a tall block and a short one, written after their readers.
  ASSERT_TRUE(s.setFormula(2, 1, "=SUM(A1:A100)", false));
  ASSERT_TRUE(s.setFormula(3, 1, "=SUM(A50:B51)", false));
  for (int r = 1; r <= 100; ++r) s.setFormula(1, r, "=ROW()*C2", false);
  s.setData(3, 2, "2");
  ASSERT_TRUE(s.reCalc());
  EXPECT_EQ(s.getValue(2, 1), "10100");
  EXPECT_EQ(s.getValue(3, 1), "202");
}
