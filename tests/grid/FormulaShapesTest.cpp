#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/grid/Sheet.h"
#include "platform/grid/formula/FormulaShapes.h"
#include "platform/grid/formula/Parser.h"

using namespace grid;

namespace {

struct Placed {
  std::string text;
  int col, row;
};

// Each formula through the shapes gives what compiling it alone gives:
// the same program, text and error.
void expectAsCompiledAlone(FormulaShapes& shapes, const std::vector<Placed>& formulas) {
  for (const Placed& f : formulas) {
    SCOPED_TRACE(f.text + " at " + cellName(f.col, f.row));
    CompiledFormula viaShapes, alone;
    CompileError shapesError, aloneError;
    FormulaParser parser;
    bool shared = shapes.compile(f.text, f.col, f.row, viaShapes, &shapesError);
    ASSERT_EQ(shared, parser.compile(f.text, f.col, f.row, alone, &aloneError));
    EXPECT_EQ(shapesError.message, aloneError.message);
    EXPECT_EQ(shapesError.position, aloneError.position);
    if (!shared) continue;
    EXPECT_EQ(viaShapes.text(), alone.text());
    auto a = viaShapes.code(), b = alone.code();
    EXPECT_EQ(std::vector<std::uint32_t>(a.begin(), a.end()),
              std::vector<std::uint32_t>(b.begin(), b.end()));
  }
}

std::vector<Placed> down(const std::string& pattern, int col, int firstRow, int rows) {
  std::vector<Placed> out;
  for (int r = firstRow; r < firstRow + rows; ++r) {
    std::string f = pattern, n = std::to_string(r);
    for (std::size_t at; (at = f.find('#')) != std::string::npos;) f.replace(at, 1, n);
    out.push_back({f, col, r});
  }
  return out;
}

}  // namespace

TEST(FormulaShapes, CopiesDownAColumnCompileOnce) {
  FormulaShapes shapes;
  auto formulas = down("=IF(A#>B#,MIN(K#,L#),MAX(M#,N#))", 18, 1, 50);
  auto more = down("=P#&\"-\"&S#", 20, 1, 50);
  formulas.insert(formulas.end(), more.begin(), more.end());
  expectAsCompiledAlone(shapes, formulas);
  EXPECT_EQ(shapes.shapeCount(), 2u);
  EXPECT_EQ(shapes.sharedCount(), 98u);
}

TEST(FormulaShapes, AbsoluteAndMixedReferencesStayPut) {
  FormulaShapes shapes;
  expectAsCompiledAlone(shapes, down("=$A$1+A$1+$A#+A#*SUM(B$2:C#)+SUM($D#:$D$9)", 5, 1, 12));
  EXPECT_EQ(shapes.sharedCount(), 11u);
  // The same text one row down is no copy of it: the relative parts must move.
  expectAsCompiledAlone(shapes, {{"=$A$1+A$1+$A1+A1*SUM(B$2:C1)+SUM($D1:$D$9)", 5, 2},
                                 {"=$A$2+A$1+$A3+A3*SUM(B$2:C3)+SUM($D3:$D$9)", 5, 3},
                                 {"=$A$1+A$1+$A4+A4*SUM(B$2:C4)+SUM(D4:$D$9)", 5, 4}});
}

TEST(FormulaShapes, FormulasThatDifferOnlyInAConstantAreNotShared) {
  FormulaShapes shapes;
  expectAsCompiledAlone(shapes, {{"=A1*2", 3, 1},
                                 {"=A2*3", 3, 2},
                                 {"=A3*2.5", 3, 3},
                                 {"=A4*\"2\"", 3, 4},
                                 {"=LOG10(A5)", 3, 5},
                                 {"=LOG2(A6)", 3, 6},
                                 {"=\"A7\"&A7", 3, 7},
                                 {"=\"A7\"&A8", 3, 8}});
}

TEST(FormulaShapes, ReferencesAtTheSheetsEdges) {
  FormulaShapes shapes;
  const std::string last = std::to_string(kMaxRows), pastLast = std::to_string(kMaxRows + 1);
  expectAsCompiledAlone(shapes, {// one row up, learnt on row 2, then written on row 1
                                 {"=B1+1", 1, 2},
                                 {"=B1+1", 1, 1},
                                 {"=B0+1", 1, 1},
                                 // the last row, then a copy one row down would be past it
                                 {"=A" + last, 2, kMaxRows - 1},
                                 {"=A" + pastLast, 2, kMaxRows},
                                 {"=A" + last, 2, kMaxRows},
                                 // the last column
                                 {"=XFD1+XFE1", 3, 1},
                                 {"=XFD2+XFE2", 3, 2}});
}

TEST(FormulaShapes, WrittenDifferentlyStillReadsRight) {
  FormulaShapes shapes;
  expectAsCompiledAlone(shapes, {{"=SUM(A$3:A1)", 4, 1},
                                 {"=SUM(A$3:A5)", 4, 5},  // the block's corners change places
                                 {"=a6+b6", 4, 6},
                                 {"=A7+B7", 4, 7},
                                 {"=A08+B08", 4, 8},
                                 {"=A000000009+B9", 4, 9},
                                 {"= A10 + B10 ", 4, 10},
                                 {"=R[-1]C+A11", 4, 11},
                                 {"=R[-1]C+A12", 4, 12},
                                 {"=SUM(A:A)+A13", 4, 13},
                                 {"=SUM(A:A)+A14", 4, 14},
                                 {"=SUM(A14", 4, 15},
                                 {"=SUM(A15", 4, 16}});
}

TEST(FormulaShapes, ASheetReadFromTextKeepsEachCellsOwnFormula) {
  Sheet s;
  std::string error;
  ASSERT_TRUE(s.loadFromText("1,=A1*2\n2,=A2*2\n3,=A3*2\n", "t.csv", error)) << error;
  ASSERT_TRUE(s.setFormula(2, 2, "=A2*10"));
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 1), "2");
  EXPECT_EQ(s.getValue(2, 2), "20");
  EXPECT_EQ(s.getValue(2, 3), "6");
  EXPECT_EQ(s.getFormula(2, 1), "A1*2");
  EXPECT_EQ(s.getFormula(2, 3), "A3*2");
  // Rows inserted above move every copy's references on their own.
  ASSERT_TRUE(s.setMaxRows(4));
  ASSERT_TRUE(s.insRow(1));
  s.reCalc();
  EXPECT_EQ(s.getFormula(2, 4), "A4*2");
  EXPECT_EQ(s.getValue(2, 4), "6");
}
