// Array constants, array expressions inside functions that take arrays, and
// whole-column and whole-row references.
#include <gtest/gtest.h>

#include "platform/grid/SheetContent.h"
#include "platform/grid/formula/Parser.h"
#include "platform/grid/formula/ReferenceRewriter.h"
#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::Case;
using gridtest::eval;
using gridtest::fill;

namespace {
// B1:B8 the numbers 1..8, C1:C8 the labels a/b alternating, D1:D3 text.
void sample(Sheet& s) {
  for (int r = 1; r <= 8; ++r) {
    s.setMaxRows(std::max(s.maxRows(), r));
    s.setMaxCols(std::max(s.maxCols(), 4));
    s.setData(2, r, std::to_string(r));
    s.setData(3, r, r % 2 ? "a" : "b");
  }
  fill(s, {{"D1", "x"}, {"D2", "7"}, {"D3", "y"}});
}

void check(std::initializer_list<Case> cases) {
  Sheet s;
  sample(s);
  gridtest::expectValues(s, cases);
}
}  // namespace

TEST(ArrayFormulas, ConstantsReadByRowsAndColumns) {
  check({{"=SUM({1,2;3,4})", "10"},
         {"=INDEX({1,2;3,4},2,1)", "3"},
         {"=INDEX({1,2;3,4},1,2)", "2"},
         {"=ROWS({1,2;3,4;5,6})", "3"},
         {"=COLUMNS({1,2,3})", "3"},
         {"={5,6,7}", "5"},  // a single cell shows the first element
         {"=SUM({1,-2,\"x\",TRUE})", "-1"},
         {"=MATCH(3,{1,2,3,4},0)", "3"},
         {"=VLOOKUP(2,{1,\"one\";2,\"two\"},2,FALSE)", "two"},
         {"=COUNTA({1,#N/A,\"\"})", "3"},
         {"=SUM(INDEX({1,2;3,4},0,2))", "6"}});
}

TEST(ArrayFormulas, ConstantsRefuseWhatTheyCannotHold) {
  Sheet s;
  EXPECT_EQ(eval(s, "={1,2;3}"), "PARSE: the rows of an array constant differ in length");
  EXPECT_EQ(eval(s, "={1,A1}"),
            "PARSE: an array constant holds numbers, text, TRUE, FALSE or errors only");
  EXPECT_NE(eval(s, "={1,2").find("PARSE"), std::string::npos);
}

TEST(ArrayFormulas, ElementWiseInsideFunctionsThatTakeArrays) {
  check({{"=SUMPRODUCT((B1:B8>4)*B1:B8)", "26"},
         {"=SUMPRODUCT(--(C1:C8=\"a\"),B1:B8)", "16"},
         {"=SUM(IF(B1:B8>6,B1:B8,0))", "15"},
         {"=SUM(IF(C1:C8=\"b\",B1:B8))", "20"},
         {"=SUM(B1:B4*{1;10;100;1000})", "4321"},
         {"=SUM(B1:B3*{1;2})", "#N/A"},  // rows past the shorter array
         {"=SUM(B1:B2*{1,2})", "9"},     // a column times a row: every pair
         {"=MAX(ABS(B1:B8-5))", "4"},
         {"=SUM(IFERROR(1/(B1:B3-2),0))", "0"},
         {"=AND(B1:B8>0)", "TRUE"},
         {"=SUMPRODUCT(B1:B8,B1:B8)", "204"},
         {"=SUMPRODUCT(B1:B8,B1:B4)", "#VALUE!"},
         {"=SUM(LEN(D1:D3))", "3"},
         {"=INDEX(B1:B8*2,3)", "6"},
         {"=MATCH(\"b\",C1:C8&\"\",0)", "2"},
         {"=SUMPRODUCT((MOD(ROW(B1:B8),2)=0)*B1:B8)", "20"},
         {"=SUM(COLUMN(B1:D1))", "9"},
         {"=ROW(B3:B8)", "3"},
         {"=ROW(A:A)", "1"}});
}

// Outside such functions a block in an operator still reads the cell in
// the formula's own row.
TEST(ArrayFormulas, OperatorsAtTheTopStayImplicitIntersection) {
  Sheet s;
  sample(s);
  EXPECT_EQ(eval(s, "=B1:B8*10", 6, 3), "30");
  EXPECT_EQ(eval(s, "=B1:B8*10", 6, 20), "#VALUE!");
  EXPECT_EQ(eval(s, "=IF(B1:B8>2,1,0)", 6, 3), "1");
}

TEST(WholeLines, ColumnsAndRowsReadOnlyStoredCells) {
  check({{"=SUM(B:B)", "36"},
         {"=SUM($B:$B)", "36"},
         {"=COUNT(B:C)", "8"},
         {"=SUM(2:3)", "12"},
         {"=COUNTA(1:1)", "3"},
         {"=ROWS(A:A)", "1048576"},
         {"=COLUMNS(3:3)", "16384"},
         {"=MATCH(5,B:B,0)", "5"},
         {"=VLOOKUP(7,B:C,2,FALSE)", "a"},
         {"=SUMIF(C:C,\"a\",B:B)", "16"},
         {"=SUMPRODUCT((B:B>6)*B:B)", "15"},
         {"=SUMPRODUCT(--(B:B=\"\"))", "1048568"},  // the empty rows count too
         {"=COUNTIFS(C:C,\"<>a\")", "1048572"}});
}

TEST(WholeLines, MalformedLinesAreSyntaxErrors) {
  Sheet s;
  EXPECT_NE(eval(s, "=SUM(A:3)").find("PARSE"), std::string::npos);
  EXPECT_NE(eval(s, "=SUM(A1:B)").find("PARSE"), std::string::npos);
  // Names and numbers next to colons keep their meaning elsewhere.
  EXPECT_EQ(eval(s, "=SUM(1,2)"), "3");
  fill(s, {{"A1", "1"}, {"B1", "2"}});
  EXPECT_EQ(eval(s, "=SUM(RC[-2]:RC[-1])", 3, 1), "3");
  EXPECT_EQ(eval(s, "=SUM(R1C1:RC)", 2, 1), "#REF!");  // reads itself: a cycle
}

// An edit in a whole column reaches the formulas reading it, and only
// through that column.
TEST(WholeLines, EditsReachTheirReaders) {
  Sheet s;
  fill(s, {{"A1", "1"}, {"A2", "2"}, {"B1", "=SUM(A:A)"}, {"C5", "=SUM(3:3)"}});
  s.setBool(kOptionAutoCalc, true);
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 1), "3");
  fill(s, {{"A500", "10"}});
  EXPECT_EQ(s.getValue(2, 1), "13");
  fill(s, {{"D3", "4"}});
  EXPECT_EQ(s.getValue(3, 5), "4");
}

TEST(WholeLines, StructureEditsKeepThemWhole) {
  struct Shift : ReferenceMap {
    std::optional<CellPos> cell(CellPos p) const override {
      if (p.col >= 2) p.col += 1;
      return p;
    }
    std::optional<Area> area(const Area& a) const override {
      Area r = a;
      if (r.col1 >= 2) r.col1 += 1;
      if (r.col2 >= 2) r.col2 += 1;
      return r;
    }
  } shift;
  EXPECT_EQ(rewriteReferences("SUM(B:$C)+SUM(2:3)", {1, 1}, {1, 1}, &shift), "SUM(C:$D)+SUM(2:3)");
  EXPECT_EQ(rewriteReferences("SUM(A:B)+SUM($2:3)", {1, 1}, {2, 3}, nullptr), "SUM(B:C)+SUM($2:5)");
}

// TODAY and INDIRECT are computed again when an unrelated cell changes.
TEST(VolatileFunctions, RecalculateAfterAnyEdit) {
  Sheet s;
  fill(s, {{"A1", "5"}, {"B1", "A1"}, {"C1", "=INDIRECT(B1)"}, {"A2", "0"}});
  s.setBool(kOptionAutoCalc, true);
  s.reCalc();
  EXPECT_EQ(s.getValue(3, 1), "5");
  fill(s, {{"A1", "6"}});
  EXPECT_EQ(s.getValue(3, 1), "6");
  fill(s, {{"B1", "A2"}, {"A2", "9"}});
  EXPECT_EQ(s.getValue(3, 1), "9");
}
