#include <gtest/gtest.h>

#include <map>

#include "platform/grid/CellStore.h"
#include "tests/grid/GridTestUtil.h"

using namespace grid;
using gridtest::fill;

namespace {
Sheet& sample(Sheet& s) {
  fill(s, {{"A1", "1"},
           {"A2", "2"},
           {"A3", "3"},
           {"A4", "4"},
           {"B1", "=A2"},
           {"B2", "=SUM(A1:A4)"},
           {"B3", "=$A$3*2"},
           {"B4", "=R[-1]C[-1]"},
           {"C5", "x"}});
  return s;
}
}  // namespace

TEST(InsertDelete, RowsMoveCellsAndFormulasFollow) {
  Sheet s;
  sample(s);
  s.setCellTag(1, 2, "tag");
  s.setLock(1, 2, true);
  ASSERT_TRUE(s.insRow(2));
  EXPECT_EQ(s.getData(1, 3), "2");
  EXPECT_EQ(s.getCellTag(1, 3), "tag");
  EXPECT_TRUE(s.getLock(1, 3));
  EXPECT_EQ(s.getFormula(2, 1), "A3");
  EXPECT_EQ(s.getFormula(2, 3), "SUM(A1:A5)");  // the block grows
  EXPECT_EQ(s.getFormula(2, 4), "$A$4*2");
  EXPECT_EQ(s.getFormula(2, 5), "R[-1]C[-1]");  // still the cell up-left
  EXPECT_EQ(s.getData(3, 5), "");               // row 5 went past the last row
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 3), "10");
  ASSERT_TRUE(s.delRow(3));
  EXPECT_EQ(s.getFormula(2, 1), "#REF!");
  EXPECT_EQ(s.getFormula(2, 3), "$A$3*2");
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 1), "#REF!");
  EXPECT_FALSE(s.insRow(0));
  EXPECT_FALSE(s.delRow(99));
}

TEST(InsertDelete, ColumnsMoveCellsAndFormulasFollow) {
  Sheet s;
  sample(s);
  s.setMaxCols(4);
  ASSERT_TRUE(s.insCol(1));
  EXPECT_EQ(s.getData(2, 1), "1");
  EXPECT_EQ(s.getFormula(3, 2), "SUM(B1:B4)");
  EXPECT_EQ(s.getFormula(3, 3), "$B$3*2");
  ASSERT_TRUE(s.delCol(2));
  EXPECT_EQ(s.getFormula(2, 2), "SUM(#REF!)");
  EXPECT_EQ(s.getFormula(2, 3), "#REF!*2");
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 2), "#REF!");
}

TEST(InsertDelete, DeletingPartOfABlockShrinksIt) {
  Sheet s;
  fill(s, {{"A1", "1"}, {"A2", "2"}, {"A3", "3"}, {"A4", "4"}, {"B6", "=SUM(A1:A4)"}});
  ASSERT_TRUE(s.delRow(1, 2));
  EXPECT_EQ(s.getFormula(2, 4), "SUM(A1:A2)");
  s.reCalc();
  EXPECT_EQ(s.getValue(2, 4), "7");
}

TEST(InsertDelete, SpansAndSizesMoveToo) {
  Sheet s;
  s.setMaxCols(3);
  s.setMaxRows(6);
  s.addCellSpan(1, 2, 2, 2);
  s.setRowHeight(2, 40);
  s.insRow(1);
  int c = 0, r = 0, w = 0, h = 0;
  ASSERT_TRUE(s.getCellSpan(1, 3, c, r, w, h));
  EXPECT_EQ(r, 3);
  EXPECT_DOUBLE_EQ(s.rowHeight(3), 40);
  s.delRow(3);
  ASSERT_TRUE(s.getCellSpan(1, 3, c, r, w, h));
  EXPECT_EQ(h, 1);
  EXPECT_EQ(w, 2);
}

TEST(Blocks, CopyKeepsRelativeReferencesRelative) {
  Sheet s;
  sample(s);
  s.setMaxCols(6);
  s.setMaxRows(8);
  ASSERT_TRUE(s.copyRange({2, 1, 2, 4}, 4, 5));
  EXPECT_EQ(s.getFormula(4, 5), "C6");
  EXPECT_EQ(s.getFormula(4, 6), "SUM(C5:C8)");
  EXPECT_EQ(s.getFormula(4, 7), "$A$3*2");
  EXPECT_EQ(s.getFormula(4, 8), "R[-1]C[-1]");
  EXPECT_EQ(s.getFormula(2, 1), "A2");  // the source stays
  ASSERT_TRUE(s.copyRange({2, 1, 2, 1}, 6, 1));
  EXPECT_EQ(s.getFormula(6, 1), "E2");
  ASSERT_TRUE(
      s.copyRange({2, 2, 2, 2}, 1, 1));  // A1 := SUM of a block that moved off the sheet's top
  EXPECT_EQ(s.getFormula(1, 1), "SUM(#REF!)");
  ASSERT_TRUE(s.copyRange({0, 1, 6, 1}, 0, 8));  // whole row with its header cell
  EXPECT_EQ(s.getFormula(6, 8), "E9");
}

TEST(Blocks, MoveCarriesReferencesAlong) {
  Sheet s;
  fill(s, {{"A1", "5"}, {"B1", "=A1*2"}, {"C1", "=B1+1"}});
  s.setMaxRows(3);
  ASSERT_TRUE(s.moveRange({1, 1, 2, 1}, 1, 3));
  EXPECT_EQ(s.getData(1, 3), "5");
  EXPECT_EQ(s.getFormula(2, 3), "A3*2");
  EXPECT_EQ(s.getFormula(3, 1), "B3+1");
  EXPECT_EQ(s.getData(1, 1), "");
  s.reCalc();
  EXPECT_EQ(s.getValue(3, 1), "11");
}

TEST(Blocks, SwapExchangesRowsWithTheirReferences) {
  Sheet s;
  fill(s, {{"A1", "first"}, {"B1", "1"}, {"A2", "second"}, {"B2", "2"}, {"C3", "=B1*10"}});
  ASSERT_TRUE(s.swapRange({0, 1, 3, 1}, 0, 2));
  EXPECT_EQ(s.getData(1, 1), "second");
  EXPECT_EQ(s.getData(1, 2), "first");
  EXPECT_EQ(s.getFormula(3, 3), "B2*10");
  s.reCalc();
  EXPECT_EQ(s.getValue(3, 3), "10");
  EXPECT_FALSE(s.swapRange({1, 1, 2, 2}, 2, 2));  // overlapping blocks
  EXPECT_FALSE(s.swapRange({1, 1, 1, 1}, 9, 9));
}

// The store keeps its cell count through every structure change instead of
// counting again; a random run of them must agree with a count of the cells.
TEST(InsertDelete, TheCellCountFollowsEveryStructureChange) {
  grid::CellStore store;
  unsigned seed = 12345;
  auto next = [&](int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
  };
  for (int step = 0; step < 2000; ++step) {
    switch (next(8)) {
      case 0:
      case 1:
      case 2:
        store.obtain(1 + next(30), 1 + next(30)).value = grid::Value::makeNumber(step);
        break;
      case 3:
        store.insertRows(1 + next(30), 1 + next(3), 40);
        break;
      case 4:
        store.deleteRows(1 + next(30), 1 + next(3));
        break;
      case 5:
        store.insertCols(1 + next(30), 1 + next(3), 40);
        break;
      case 6:
        store.deleteCols(1 + next(30), 1 + next(3));
        break;
      default:
        if (next(4) == 0)
          store.truncate(next(40), next(40));
        else
          store.take({1 + next(30), 1 + next(30), 1 + next(30) + 3, 1 + next(30) + 3});
    }
    std::size_t counted = 0;
    store.forEach([&](const grid::Cell&, int) { ++counted; });
    ASSERT_EQ(store.cellCount(), counted) << "after step " << step;
  }
}

// Columns inserted and deleted across the whole width a sheet can have,
// against a plain map of what each cell should hold.
TEST(InsertDelete, ColumnsMoveAcrossTheWholeWidth) {
  grid::CellStore store;
  std::map<std::pair<int, int>, double> model;  // (col, row) -> number
  unsigned seed = 777;
  auto next = [&](int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<unsigned>(n));
  };
  const int limit = grid::kMaxColumns;
  for (int step = 0; step < 3000; ++step) {
    int at = 1 + next(limit), count = 1 + next(next(2) ? 4 : 2 * limit);
    std::map<std::pair<int, int>, double> moved;
    switch (next(3)) {
      case 0: {
        int col = next(2) ? limit - next(4) : 1 + next(limit), row = 1 + next(5);
        store.obtain(col, row).value = grid::Value::makeNumber(step);
        model[{col, row}] = step;
        continue;
      }
      case 1:
        store.insertCols(at, count, limit);
        for (auto [key, v] : model) {
          int col = key.first >= at ? key.first + count : key.first;
          if (col <= limit) moved[{col, key.second}] = v;
        }
        break;
      default:
        store.deleteCols(at, count);
        for (auto [key, v] : model) {
          if (key.first >= at && key.first < at + count) continue;
          moved[{key.first >= at ? key.first - count : key.first, key.second}] = v;
        }
    }
    model = std::move(moved);
    std::map<std::pair<int, int>, double> stored;
    store.forEach([&](const grid::Cell& c, int row) { stored[{c.col, row}] = c.value.number; });
    ASSERT_EQ(stored, model) << "after step " << step;
  }
}

TEST(CellLayout, ACellTakesNoMoreThan64Bytes) {
  // A million-formula sheet holds two million cells: each byte here is 2 MB.
  static_assert(sizeof(grid::Cell) <= 64);
  grid::Cell c;
  c.value = grid::Value::makeText("a text too long for the string's own buffer");
  c.col = grid::kMaxColumns;
  c.format = 0xFFFFFFFF;
  c.value = grid::Value::makeError(grid::ErrorCode::NA);  // must not touch col or format
  EXPECT_EQ(c.col, grid::kMaxColumns);
  EXPECT_EQ(c.format, 0xFFFFFFFFu);
  EXPECT_TRUE(c.value.isError());
}
