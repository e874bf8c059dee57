// The documented limits of docs/limits.md, each at the limit and one past it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "core/macro/Nx_Drawing.h"
#include "platform/base/AtomicFile.h"
#include "platform/grid/Limits.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/formula/Matrix.h"
#include "tests/core/TempDir.h"

namespace {
std::string nested(int levels) {
  return std::string(static_cast<size_t>(levels), '(') + "1" +
         std::string(static_cast<size_t>(levels), ')');
}
std::string sumOf(int arguments) {
  std::string f = "SUM(1";
  for (int i = 1; i < arguments; ++i) f += ",1";
  return f + ")";
}
}  // namespace

TEST(Limits, SheetSize) {
  grid::Sheet sheet;
  EXPECT_TRUE(sheet.setMaxCols(grid::kMaxColumns));
  EXPECT_FALSE(sheet.setMaxCols(grid::kMaxColumns + 1));
  EXPECT_TRUE(sheet.setMaxRows(grid::kMaxRows));
  EXPECT_FALSE(sheet.setMaxRows(grid::kMaxRows + 1));
  EXPECT_EQ(sheet.maxCols(), grid::kMaxColumns);
  EXPECT_EQ(sheet.maxRows(), grid::kMaxRows);
  // The last cell holds a value; a formula reaches it.
  EXPECT_TRUE(sheet.setData(grid::kMaxColumns, grid::kMaxRows, "7"));
  EXPECT_TRUE(sheet.setFormula(1, 1, "=XFD1048576*2"));
  sheet.reCalc();
  EXPECT_EQ(sheet.getValue(1, 1), "14");
  // One column further is no cell: a name the sheet does not know.
  sheet.setFormula(1, 2, "=XFE1");
  sheet.reCalc();
  EXPECT_EQ(sheet.getValue(1, 2), "#NAME?");
}

TEST(Limits, FormulaLengthNestingAndArguments) {
  grid::Sheet sheet;
  sheet.setMaxCols(3);
  sheet.setMaxRows(3);
  // The limit counts the formula without its "=" and the blanks round it.
  std::string longest = "=1";
  while (longest.size() < grid::kMaxFormulaLength + 1) longest += "+1";
  longest.resize(grid::kMaxFormulaLength + 1);
  if (longest.back() == '+') longest.back() = '2';
  EXPECT_TRUE(sheet.setFormula(1, 1, longest)) << sheet.lastError().message;
  EXPECT_FALSE(sheet.setFormula(1, 1, longest + "1"));
  EXPECT_NE(sheet.lastError().message.find("longer than 8192 characters"), std::string::npos)
      << sheet.lastError().message;

  EXPECT_TRUE(sheet.setFormula(1, 1, nested(grid::kMaxNesting - 1))) << sheet.lastError().message;
  EXPECT_FALSE(sheet.setFormula(1, 1, nested(grid::kMaxNesting + 1)));
  EXPECT_NE(sheet.lastError().message.find("nests deeper than 100"), std::string::npos);
  // Far past the limit is refused as quickly, never recursed into.
  EXPECT_FALSE(sheet.setFormula(1, 1, nested(1000000).substr(0, grid::kMaxFormulaLength)));

  EXPECT_TRUE(sheet.setFormula(1, 1, sumOf(grid::kMaxArguments)));
  sheet.reCalc();
  EXPECT_EQ(sheet.getValue(1, 1), "255");
  EXPECT_FALSE(sheet.setFormula(1, 1, sumOf(grid::kMaxArguments + 1)));
  EXPECT_NE(sheet.lastError().message.find("more than 255 arguments"), std::string::npos);
}

TEST(Limits, TextInACellAndTextAFormulaBuilds) {
  grid::Sheet sheet;
  sheet.setMaxCols(3);
  sheet.setMaxRows(3);
  EXPECT_TRUE(sheet.setData(1, 1, std::string(grid::kMaxTextLength, 'a')));
  EXPECT_FALSE(sheet.setData(1, 2, std::string(grid::kMaxTextLength + 1, 'a')));
  EXPECT_TRUE(sheet.setFormula(2, 1, "=REPT(\"ab\",16383)&\"c\""));
  EXPECT_TRUE(sheet.setFormula(2, 2, "=REPT(\"ab\",16384)"));
  sheet.reCalc();
  EXPECT_EQ(sheet.getValue(2, 1).size(), grid::kMaxConcatLength);
  EXPECT_EQ(sheet.getValue(2, 2), "#VALUE!");
}

// An array built from whole rows keeps one copy of the rows past the
// sheet's last stored one, but a walk over it visits every value: past 2^24
// values it is refused.
TEST(Limits, ValuesOfAnArrayAFormulaBuilds) {
  grid::Sheet sheet;
  sheet.setMaxCols(3);
  sheet.setMaxRows(grid::kMaxRows);
  EXPECT_TRUE(sheet.setFormula(1, 1, "=SUM(2:1025*0+1)"));  // 1,024 rows of 16,384
  EXPECT_TRUE(sheet.setFormula(2, 1, "=SUM(2:1026*0+1)"));
  EXPECT_TRUE(sheet.setFormula(3, 1, "=SUM(8:299990&1)"));  // five billion values
  sheet.reCalc();
  EXPECT_EQ(sheet.getValue(1, 1), std::to_string(grid::kMaxArrayValues));
  EXPECT_EQ(sheet.getValue(2, 1), "#VALUE!");
  EXPECT_EQ(sheet.getValue(3, 1), "#VALUE!");
}

TEST(Limits, FilesPastTheirSizeAreRefusedUnread) {
  TempDir dir;
  // Sparse files: the size is refused before a byte is read.
  auto sparse = [&](const std::string& name, off_t size) {
    std::string path = dir / name;
    dir.write(name, "");
    EXPECT_EQ(::truncate(path.c_str(), size), 0);
    return path;
  };
  grid::Sheet sheet;
  std::string error;
  std::string sheetFile = sparse("big.kvs", static_cast<off_t>(grid::kMaxFileBytes) + 1);
  EXPECT_FALSE(sheet.loadFromFile(sheetFile, error));
  EXPECT_NE(error.find("big.kvs"), std::string::npos) << error;
  EXPECT_NE(error.find("larger than 64 MB"), std::string::npos) << error;

  Nx_Drawing drawing;
  Nx_String why;
  std::string drawingFile = sparse("big.json", static_cast<off_t>(base::kReadLimit) + 1);
  EXPECT_FALSE(drawing.load(drawingFile.c_str(), why));
  EXPECT_NE(why.str().find("big.json"), std::string::npos) << why.str();
  EXPECT_NE(why.str().find(std::to_string(base::kReadLimit)), std::string::npos) << why.str();
}
