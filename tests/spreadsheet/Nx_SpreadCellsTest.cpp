// The wrapper's addressing, bounds, single cells and whole rows and columns.
#include <gtest/gtest.h>

#include "spreadsheet/Nx_SpreadRedrawLock.h"
#include "spreadsheet/SheetOptions.h"
#include "tests/spreadsheet/SpreadTestHost.h"

TEST(Nx_SpreadAttach, EveryOperationFailsUntilAttached) {
  Nx_Spread spread;
  Nx_String text = "kept";
  EXPECT_EQ(spread.getMaxRows(), -1);
  EXPECT_EQ(spread.getMaxCols(), -1);
  EXPECT_FALSE(spread.setMaxRows(3));
  EXPECT_FALSE(spread.getCellText(1, 1, text));
  EXPECT_TRUE(text.isEmpty());
  EXPECT_FALSE(spread.setCellInt(1, 1, 4));
  EXPECT_FALSE(spread.initAppearance(1));
  EXPECT_EQ(spread.getTotalColumnWidth(), -1);
  EXPECT_EQ(spread.sheet(), nullptr);
}

TEST(Nx_SpreadAttach, TakesThePlaceOfTheItem) {
  SpreadTestHost host(0, 0);
  EXPECT_TRUE(host.spread.isAttached());
  EXPECT_EQ(host.dialog.item(SpreadTestHost::kPlaceholder), &host.spread);
  EXPECT_EQ(host.spread.rect(), (ui::Rect{10, 10, 410, 210}));
  EXPECT_EQ(host.spread.getMaxRows(), 0);
  EXPECT_EQ(host.spread.getMaxCols(), 0);
  EXPECT_TRUE(host.spread.isClass("fpSpread70"));
  EXPECT_FALSE(Nx_Spread().attachToItem(&host.dialog, 4242));
}

TEST(Nx_SpreadAttach, AppearanceSetsTheOptionSequence) {
  SpreadTestHost host;
  grid::Sheet& s = *host.spread.sheet();
  s.setBool(10, true);
  ASSERT_TRUE(host.spread.initAppearance(1));
  EXPECT_TRUE(s.getBool(grid::kOptionRedraw));
  EXPECT_FALSE(s.getBool(grid::kOptionAutoCalc));
  EXPECT_TRUE(s.getBool(kOptionEditMode));
  EXPECT_FALSE(s.getBool(10));
  EXPECT_TRUE(s.getBool(18));  // set false in step 2, true again in step 6
  EXPECT_EQ(s.settings().selBackground, 0x6A240Au);
  EXPECT_EQ(s.settings().lockBackground, 0xE6E6E6u);
  ASSERT_TRUE(host.spread.initAppearance(0));
  EXPECT_FALSE(s.getBool(kOptionEditMode));
  EXPECT_TRUE(s.getBool(10));
  EXPECT_EQ(s.settings().editEnterAction, 5);
}

TEST(Nx_SpreadCells, ReadsPastTheLastColumnOrRowFail) {
  SpreadTestHost host(3, 5);
  Nx_String text;
  EXPECT_FALSE(host.spread.getCellText(4, 1, text));
  EXPECT_FALSE(host.spread.getCellText(1, 6, text));
  EXPECT_TRUE(host.spread.getCellText(1, 5, text));
  EXPECT_TRUE(text.isEmpty());
  EXPECT_FALSE(host.spread.setCellText(4, 1, "x"));
  EXPECT_EQ(host.spread.getCellType(4, 1), -1);
}

TEST(Nx_SpreadCells, TextKindsAndTypedGetters) {
  SpreadTestHost host;
  Nx_Spread& sp = host.spread;
  sp.setCellInt(1, 1, 4);
  sp.setCellDouble(2, 1, 2.5);
  sp.sheet()->setFormula(3, 1, "A1*B1");
  sp.sheet()->setCellTag(3, 1, "note");
  EXPECT_EQ(host.text(2, 1), Nx_String(2.5, 2, false));
  EXPECT_EQ(host.text(3, 1, Nx_Spread::kFormula), "A1*B1");
  EXPECT_EQ(host.text(3, 1, Nx_Spread::kTag), "note");
  EXPECT_EQ(host.text(3, 1, Nx_Spread::kValue), "10");
  double d = 0;
  int i = 0;
  EXPECT_TRUE(sp.getCellDouble(3, 1, d));
  EXPECT_DOUBLE_EQ(d, 10);
  sp.setCellText(1, 2, "abc");
  EXPECT_TRUE(sp.getCellInt(1, 2, i));  // not a number reads as 0
  EXPECT_EQ(i, 0);
}

TEST(Nx_SpreadCells, BooleansReadOnlyOneAndZero) {
  SpreadTestHost host;
  bool b = false;
  host.spread.setCellBool(1, 1, true);
  EXPECT_TRUE(host.spread.getCellBool(1, 1, b));
  EXPECT_TRUE(b);
  host.spread.setCellBool(1, 1, false);
  EXPECT_TRUE(host.spread.getCellBool(1, 1, b));
  EXPECT_FALSE(b);
  for (const char* other : {"yes", "", "2", "TRUE"}) {
    host.spread.setCellText(1, 2, other);
    EXPECT_FALSE(host.spread.getCellBool(1, 2, b)) << other;
  }
}

TEST(Nx_SpreadCells, HeadersLiveAtMinus32767) {
  SpreadTestHost host;
  ASSERT_TRUE(host.spread.setColumnHeaders({"a", "b"}));
  EXPECT_EQ(host.text(1, Nx_Spread::kHeader), "a");
  EXPECT_EQ(host.text(2, Nx_Spread::kHeader), "b");
  EXPECT_EQ(host.spread.sheet()->getData(1, 0), "a");
  ASSERT_TRUE(host.spread.setRowHeaders({"r1", "r2"}));
  Nx_StringArray rows, cols;
  ASSERT_TRUE(host.spread.getRowHeaders(rows));
  ASSERT_TRUE(host.spread.getColumnHeaders(cols));
  EXPECT_EQ(rows, (Nx_StringArray{"r1", "r2", "", "", ""}));
  EXPECT_EQ(cols, (Nx_StringArray{"a", "b", ""}));
}

TEST(Nx_SpreadCells, BulkWritesStopAtTheLastRowOrColumn) {
  SpreadTestHost host(2, 3);
  EXPECT_TRUE(host.spread.setColumnValues(1, {"1", "2", "3", "4", "5"}, true));
  EXPECT_TRUE(host.spread.setRowValues(1, {"x", "y", "z"}, false));
  Nx_StringArray col;
  ASSERT_TRUE(host.spread.getColumnValues(1, col));
  EXPECT_EQ(col, (Nx_StringArray{"x", "2", "3"}));
  EXPECT_EQ(host.text(2, 1), "y");
  EXPECT_FALSE(host.spread.setColumnValues(3, {"a"}, false));
  EXPECT_FALSE(host.spread.setRowValues(4, {"a"}, false));
}

TEST(Nx_SpreadCells, BulkWritesReportACellThatRefusesItsText) {
  SpreadTestHost host(3, 3);
  Nx_Spread& sp = host.spread;
  sp.setNumberColumn(1, 2, false);
  sp.setEditCells(2, 1, 2, 3, 0, 3);
  sp.setCellText(1, 2, "5");
  EXPECT_FALSE(sp.setColumnValues(1, {"1", "plate", "3"}, false));
  EXPECT_EQ(host.text(1, 1), "1");
  EXPECT_EQ(host.text(1, 2), "5");  // refused: the old value stays
  EXPECT_EQ(host.text(1, 3), "3");
  EXPECT_FALSE(sp.setColumnValues(2, {"ok", "too long"}, true));
  EXPECT_EQ(host.text(2, 1), "ok");
  EXPECT_FALSE(sp.setRowValues(3, {"x", "y"}, false));
  EXPECT_EQ(host.text(2, 3), "y");
  EXPECT_FALSE(sp.setColumnDoubles(2, AcArray<double>{1234.5}));
  EXPECT_TRUE(sp.setColumnInts(1, AcArray<int>{7, 8, 9}));
}

TEST(Nx_SpreadCells, TypedColumnsRoundTrip) {
  SpreadTestHost host(3, 3);
  Nx_Spread& sp = host.spread;
  ASSERT_TRUE(sp.setColumnInts(1, AcArray<int>{3, -1, 7}));
  ASSERT_TRUE(sp.setColumnDoubles(2, AcArray<double>{1.234, 2.5, 0}));
  ASSERT_TRUE(sp.setColumnBools(3, AcArray<bool>{true, false, true}));
  AcArray<int> ints;
  AcArray<double> doubles;
  AcArray<bool> bools;
  ASSERT_TRUE(sp.getColumnInts(1, ints));
  ASSERT_TRUE(sp.getColumnDoubles(2, doubles));
  ASSERT_TRUE(sp.getColumnBools(3, bools));
  EXPECT_EQ(ints, (AcArray<int>{3, -1, 7}));
  EXPECT_EQ(doubles, (AcArray<double>{1.23, 2.5, 0}));  // precision 2
  EXPECT_EQ(bools, (AcArray<bool>{true, false, true}));
  Nx_StringArray texts;
  ASSERT_TRUE(sp.getColumnTexts(2, texts));
  EXPECT_EQ(texts[0], "1.23");
}

TEST(Nx_SpreadCells, ClearRowsEmptiesEveryColumn) {
  SpreadTestHost host(2, 3);
  host.spread.setRowValues(2, {"a", "b"}, false);
  host.spread.setRowValues(3, {"c", "d"}, false);
  EXPECT_TRUE(host.spread.clearRows(2, 3));
  EXPECT_TRUE(host.text(1, 2).isEmpty());
  EXPECT_TRUE(host.text(2, 3).isEmpty());
  EXPECT_FALSE(host.spread.clearRow(-1));
  EXPECT_FALSE(host.spread.clearRow(4));
}

TEST(Nx_SpreadSize, GrowingCopiesTheLastRowShrinkingOnlyShrinks) {
  SpreadTestHost host(2, 3);
  Nx_Spread& sp = host.spread;
  sp.setRowValues(3, {"last", "7"}, false);
  sp.setNumberCell(2, 3, 1, false);
  ASSERT_TRUE(sp.setMaxRows(5));
  for (int row : {4, 5}) {
    EXPECT_EQ(host.text(1, row), "last");
    EXPECT_EQ(sp.getCellType(2, row), 2);  // number cell
  }
  EXPECT_TRUE(sp.sheet()->getFont(0, 5).bold);
  EXPECT_FALSE(sp.sheet()->getFont(1, 5).bold);
  EXPECT_EQ(sp.sheet()->getFont(1, 5).face, "Tahoma");
  ASSERT_TRUE(sp.setMaxRows(3));
  EXPECT_EQ(sp.getMaxRows(), 3);
  EXPECT_EQ(host.text(1, 3), "last");
}

TEST(Nx_SpreadSize, ColumnsCopyOnlyWhenAsked) {
  SpreadTestHost host(1, 2);
  host.spread.setColumnValues(1, {"a", "b"}, false);
  ASSERT_TRUE(host.spread.setMaxCols(2, false));
  EXPECT_TRUE(host.text(2, 1).isEmpty());
  host.spread.setColumnValues(2, {"c", "d"}, false);
  ASSERT_TRUE(host.spread.setMaxCols(3, true));
  EXPECT_EQ(host.text(3, 2), "d");
}

TEST(Nx_SpreadSize, FirstGrowthGivesTheHeadersTheBoldFont) {
  SpreadTestHost host(0, 0);
  host.spread.setMaxCols(2);
  host.spread.setMaxRows(2);
  const grid::Sheet& s = *host.spread.sheet();
  EXPECT_TRUE(s.getFont(1, 0).bold);
  EXPECT_TRUE(s.getFont(0, 2).bold);
  EXPECT_EQ(s.settings().textTipFont.face, "Tahoma");
}

TEST(Nx_SpreadRedrawLock, SuspendsRepaintingAndPutsItBack) {
  SpreadTestHost host;
  grid::Sheet& s = *host.spread.sheet();
  {
    Nx_SpreadRedrawLock outer(host.spread);
    EXPECT_FALSE(s.getBool(grid::kOptionRedraw));
    { Nx_SpreadRedrawLock inner(host.spread); }
    EXPECT_FALSE(s.getBool(grid::kOptionRedraw));  // nested: still dark
  }
  EXPECT_TRUE(s.getBool(grid::kOptionRedraw));
  s.setBool(grid::kOptionRedraw, false);
  { Nx_SpreadRedrawLock lock(host.spread); }
  EXPECT_FALSE(s.getBool(grid::kOptionRedraw));  // a sheet kept dark stays dark
}
