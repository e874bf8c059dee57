// A large sheet is ordered and computed in two halves side by side: the
// values must be those one thread gives, bit for bit, whatever reads what.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/grid/Recalculator.h"
#include "platform/grid/formula/FormulaReads.h"
#include "tests/grid/GridTestUtil.h"

using namespace grid;

namespace {

constexpr std::size_t kNeverSplit = std::numeric_limits<std::size_t>::max();

std::string r(const char* col, int row) {
  return col + std::to_string(row);
}

// Every cell as "NAME kind value", a number by its bits.
std::vector<std::string> computed(const Sheet& s, std::size_t splitFrom) {
  SheetContent content = s.content();
  CustomFunctions none;
  Recalculator recalc(content, none);
  recalc.setSplitFrom(splitFrom);
  recalc.all();
  std::vector<std::string> out;
  content.cells.forEach([&](const Cell& c, int row) {
    std::string v = c.value.isNumber()
                        ? std::to_string(std::bit_cast<std::uint64_t>(c.value.number))
                        : valueText(c.value);
    out.push_back(cellName(c.col, row) + " " + std::to_string(static_cast<int>(c.value.kind)) +
                  " " + v);
  });
  return out;
}

void expectSameAsOneThread(const Sheet& s) {
  EXPECT_EQ(computed(s, 0), computed(s, kNeverSplit));
}

// The cells of each part of a split graph's order.
struct Parts {
  std::vector<std::string> first, second, rest;
};

Parts partsOf(const Sheet& s) {
  DependencyGraph g;
  g.build(s.content().cells, 0);
  Parts parts;
  for (std::size_t i = 0; i < g.order().size(); ++i) {
    CellPos p = g.position(g.order()[i]);
    auto& part = i < g.firstEnd() ? parts.first : i < g.secondEnd() ? parts.second : parts.rest;
    part.push_back(cellName(p.col, p.row));
  }
  for (auto* v : {&parts.first, &parts.second, &parts.rest}) std::sort(v->begin(), v->end());
  return parts;
}

bool has(const std::vector<std::string>& v, const std::string& name) {
  return std::find(v.begin(), v.end(), name) != v.end();
}

// Every formula comes after the formulas it reads (unless in a cycle), and
// a formula of the first or second part reads formulas of its part only.
void expectOrderHolds(const Sheet& s) {
  const CellStore& cells = s.content().cells;
  DependencyGraph g;
  g.build(cells, 0);
  std::vector<std::size_t> at(g.size());
  for (std::size_t i = 0; i < g.order().size(); ++i) at[g.order()[i]] = i;
  auto partOf = [&](std::size_t i) { return i < g.firstEnd() ? 0 : i < g.secondEnd() ? 1 : 2; };
  std::vector<std::pair<int, int>> ids;
  for (std::uint32_t v = 0; v < g.size(); ++v)
    ids.emplace_back(g.position(v).row, g.position(v).col);
  auto nodeOf = [&](int col, int row) {
    auto it = std::lower_bound(ids.begin(), ids.end(), std::make_pair(row, col));
    return static_cast<std::size_t>(it - ids.begin());
  };
  for (std::uint32_t v = 0; v < g.size(); ++v) {
    CellPos p = g.position(v);
    std::vector<CellPos> refs;
    std::vector<Area> areas;
    namedReads(cells.find(p.col, p.row)->formula, refs, areas);
    for (const Area& a : areas)
      cells.forEachIn(a, [&](const Cell& c, int row) { refs.push_back({c.col, row}); });
    for (const CellPos& q : refs) {
      const Cell* t = cells.find(q.col, q.row);
      if (!t || !t->hasFormula()) continue;
      std::size_t w = nodeOf(q.col, q.row);
      if (g.circular(v)) continue;
      EXPECT_LT(at[w], at[v]) << cellName(p.col, p.row) << " reads " << cellName(q.col, q.row);
      if (partOf(at[v]) < 2) EXPECT_EQ(partOf(at[w]), partOf(at[v])) << cellName(p.col, p.row);
    }
  }
}

// Rows 1..rows: data in A, B = A*2, C = B+1, each row on its own.
void rowsOfTheirOwn(Sheet& s, int rows) {
  s.setMaxCols(8);
  s.setMaxRows(rows);
  for (int row = 1; row <= rows; ++row) {
    s.setData(1, row, std::to_string(row));
    s.setFormula(2, row, "=" + r("A", row) + "*2", false);
    s.setFormula(3, row, "=" + r("B", row) + "+1", false);
  }
}

}  // namespace

TEST(SplitRecalc, RowsOnTheirOwnSplitInHalves) {
  Sheet s;
  rowsOfTheirOwn(s, 8);
  Parts parts = partsOf(s);
  EXPECT_EQ(parts.first.size(), 8u);
  EXPECT_EQ(parts.second.size(), 8u);
  EXPECT_TRUE(parts.rest.empty());
  EXPECT_TRUE(has(parts.first, "C4"));
  EXPECT_TRUE(has(parts.second, "B5"));
  expectSameAsOneThread(s);
  expectOrderHolds(s);
}

TEST(SplitRecalc, FormulasReadingOnlyEarlierOnesKeepTheirOwnOrder) {
  // Every formula reads formulas before it, the second half some of the
  // first: no cycle search, and what reads across waits, with its readers.
  Sheet s;
  rowsOfTheirOwn(s, 8);
  s.setFormula(4, 6, "=C1*10", false);
  s.setFormula(5, 6, "=D6+A6", false);
  s.setFormula(4, 7, "=E6+B7", false);
  s.setFormula(5, 7, "=C7-1", false);  // reads its own half only
  Parts parts = partsOf(s);
  EXPECT_EQ(parts.rest, (std::vector<std::string>{"D6", "D7", "E6"}));
  EXPECT_TRUE(has(parts.second, "E7"));
  expectSameAsOneThread(s);
  expectOrderHolds(s);
  s.reCalc();
  EXPECT_EQ(s.getValue(4, 7), "50");
  // A formula reading a later one of its own half: ordered by the cycle search.
  s.setFormula(5, 2, "=C4+1", false);
  s.setFormula(5, 1, "=E3+1", false);  // and a cycle within the half
  s.setFormula(5, 3, "=E1", false);
  parts = partsOf(s);
  EXPECT_TRUE(has(parts.first, "E2"));
  EXPECT_TRUE(has(parts.rest, "E1"));
  EXPECT_TRUE(has(parts.rest, "E3"));
  expectSameAsOneThread(s);
  expectOrderHolds(s);
}

TEST(SplitRecalc, ReadsAcrossTheSplitWaitForBothHalves) {
  Sheet s;
  rowsOfTheirOwn(s, 8);
  s.setFormula(4, 8, "=B1+1", false);  // the second half reads the first
  s.setFormula(5, 8, "=D8*2", false);  // and is read in its own half
  s.setFormula(4, 1, "=C7", false);    // the first half reads the second
  s.setFormula(5, 1, "=D1+E8", false);
  Parts parts = partsOf(s);
  EXPECT_EQ(parts.rest, (std::vector<std::string>{"D1", "D8", "E1", "E8"}));
  EXPECT_TRUE(has(parts.first, "B1"));
  EXPECT_TRUE(has(parts.second, "C7"));
  expectSameAsOneThread(s);
  expectOrderHolds(s);
  s.reCalc();
  EXPECT_EQ(s.getValue(4, 8), "3");
  EXPECT_EQ(s.getValue(5, 1), "21");
}

TEST(SplitRecalc, CyclesAcrossOrInsideAHalfGiveRefErrors) {
  Sheet s;
  rowsOfTheirOwn(s, 8);
  s.setFormula(4, 2, "=D7+1", false);  // a cycle across the split
  s.setFormula(4, 7, "=D2+1", false);
  s.setFormula(5, 7, "=D2", false);  // reads it
  s.setFormula(6, 1, "=F2", false);  // a cycle inside the first half
  s.setFormula(6, 2, "=F1", false);
  s.setFormula(6, 3, "=F1&\"x\"", false);
  s.setFormula(6, 6, "=F6", false);  // and one cell reading itself in the second
  Parts parts = partsOf(s);
  for (const char* name : {"D2", "D7", "E7", "F1", "F2", "F3", "F6"})
    EXPECT_TRUE(has(parts.rest, name)) << name;
  expectSameAsOneThread(s);
  expectOrderHolds(s);
  SheetContent content = s.content();
  CustomFunctions none;
  Recalculator recalc(content, none);
  recalc.setSplitFrom(0);
  recalc.all();
  for (const char* name : {"D2", "D7", "E7", "F1", "F2", "F3", "F6"}) {
    int col = 0, row = 0;
    parseCellName(name, col, row);
    EXPECT_EQ(valueText(content.cells.value(col, row)), "#REF!") << name;
  }
  EXPECT_EQ(valueText(content.cells.value(3, 8)), "17");
}

TEST(SplitRecalc, ErrorsTravelAcrossHalves) {
  Sheet s;
  rowsOfTheirOwn(s, 8);
  s.setFormula(4, 1, "=1/0", false);
  s.setFormula(4, 8, "=D1+B8", false);
  s.setFormula(5, 8, "=IFERROR(D8,\"caught\")", false);
  s.setFormula(6, 8, "=ISERROR(D1)", false);
  expectSameAsOneThread(s);
  expectOrderHolds(s);
  s.reCalc();
  EXPECT_EQ(s.getValue(4, 8), "#DIV/0!");
  EXPECT_EQ(s.getValue(5, 8), "caught");
}

TEST(SplitRecalc, VolatileOrCustomFormulasKeepTheOneThreadOrder) {
  for (const char* formula :
       {"=INDIRECT(\"B7\")", "=OFFSET(A1,6,1)", "=TODAY()*0+B1", "=NOSUCHFUNCTION(B7)"}) {
    Sheet s;
    rowsOfTheirOwn(s, 8);
    s.setFormula(4, 2, formula, false);
    DependencyGraph split, whole;
    split.build(s.content().cells, 0);
    whole.build(s.content().cells, kNeverSplit);
    EXPECT_EQ(split.firstEnd(), 0u) << formula;
    EXPECT_EQ(split.secondEnd(), 0u) << formula;
    EXPECT_EQ(split.order(), whole.order()) << formula;
    expectSameAsOneThread(s);
  }
}

TEST(SplitRecalc, BlocksAndWholeColumnsReadAcrossHalves) {
  Sheet s;
  rowsOfTheirOwn(s, 80);
  s.setFormula(4, 1, "=SUM(B1:B40)", false);    // tall, inside the first half
  s.setFormula(4, 41, "=SUM(C41:C80)", false);  // tall, inside the second
  s.setFormula(4, 80, "=SUM(B1:B80)", false);   // tall, across
  s.setFormula(5, 2, "=MAX(B2:C3)", false);     // short, inside
  s.setFormula(5, 40, "=MAX(B40:C41)", false);  // short, across
  s.setFormula(6, 1, "=SUM(C:C)", false);       // whole column
  Parts parts = partsOf(s);
  EXPECT_TRUE(has(parts.first, "D1"));
  EXPECT_TRUE(has(parts.second, "D41"));
  EXPECT_TRUE(has(parts.first, "E2"));
  for (const char* name : {"D80", "E40", "F1"}) EXPECT_TRUE(has(parts.rest, name)) << name;
  expectSameAsOneThread(s);
  expectOrderHolds(s);
}

TEST(SplitRecalc, TangledSheetsGiveWhatOneThreadGives) {
  // References anywhere, forwards and backwards, in cycles, through blocks,
  // with errors, texts and comparisons: the values of every cell agree.
  for (std::uint32_t seed : {1u, 7u, 42u, 1234u, 5u, 99u}) {
    const bool earlierOnly = seed < 10;  // only formulas before: no cycle search
    std::uint32_t state = seed;
    auto next = [&](std::uint32_t n) {
      state = state * 1664525u + 1013904223u;
      return static_cast<int>((state >> 8) % n);
    };
    const int rows = 300;
    Sheet s;
    s.setMaxCols(8);
    s.setMaxRows(rows);
    auto cell = [&](int near) {
      // Mostly close by, sometimes anywhere.
      int row = next(4) == 0 ? 1 + next(rows) : std::clamp(near + next(7) - 3, 1, rows);
      if (earlierOnly) row = std::min(row, near - 1);
      if (row < 1) return std::string("A1");
      return std::string(1, static_cast<char>('A' + next(6))) + std::to_string(row);
    };
    for (int row = 1; row <= rows; ++row) {
      s.setData(1, row, std::to_string(next(5)));
      for (int col = 2; col <= 6; ++col) {
        std::string f;
        switch (next(6)) {
          case 0:
            f = "=" + cell(row) + "+" + cell(row);
            break;
          case 1:
            f = "=IF(" + cell(row) + ">2," + cell(row) + "/" + cell(row) + ",\"t\"&" + cell(row) +
                ")";
            break;
          case 2: {
            int top = std::max(1, row - next(40)), bottom = earlierOnly ? row - 1 : row;
            f = bottom < top ? "=A1"
                             : "=SUM(B" + std::to_string(top) + ":C" + std::to_string(bottom) + ")";
            break;
          }
          case 3:
            f = "=IFERROR(" + cell(row) + "*2,-1)";
            break;
          case 4:
            f = "=MIN(" + cell(row) + "," + cell(row) + ")-0.1";
            break;
          default:
            f = "=" + cell(row) + "&\"|\"";
            break;
        }
        s.setFormula(col, row, f, false);
      }
    }
    DependencyGraph g;
    g.build(s.content().cells, 0);
    EXPECT_GT(g.secondEnd(), 0u) << seed;  // the halves have parts of their own
    expectSameAsOneThread(s);
    expectOrderHolds(s);
  }
}

TEST(SplitRecalc, LargeSheetsSplitThroughTheSheetAndStillFollowChanges) {
  // Past the size where the sheet itself splits: the computed values, then
  // the dependents of a changed cell, in an order the split has reordered.
  const int rows = static_cast<int>(DependencyGraph::kSplitFrom / 2 + 100);
  Sheet s;
  rowsOfTheirOwn(s, rows);
  s.setFormula(4, rows, "=C1+1", false);
  ASSERT_TRUE(s.reCalc());
  EXPECT_EQ(s.getValue(3, rows), std::to_string(rows * 2 + 1));
  EXPECT_EQ(s.getValue(4, rows), "4");
  s.setBool(kOptionAutoCalc, true);
  s.setData(1, 1, "10");
  EXPECT_EQ(s.getValue(3, 1), "21");
  EXPECT_EQ(s.getValue(4, rows), "22");
}
