// Inserting, appending, deleting and moving rows and columns.
#include <gtest/gtest.h>

#include "resources/dialogs/DLG_VALUE.h"
#include "tests/spreadsheet/SpreadTestHost.h"

TEST(Nx_SpreadRows, InsertRowTakesTheFormatOfThePushedRowNotItsContents) {
  SpreadTestHost host(2, 3);
  Nx_Spread& sp = host.spread;
  sp.setColumnValues(1, {"a", "b", "c"}, false);
  sp.setNumberCell(2, 2, 2, false);
  ASSERT_TRUE(sp.insertRow(2, false, true));
  EXPECT_EQ(sp.getMaxRows(), 4);
  EXPECT_TRUE(host.text(1, 2).isEmpty());
  EXPECT_EQ(sp.getCellType(2, 2), 2);
  EXPECT_EQ(host.text(1, 3), "b");
  EXPECT_EQ(host.text(1, 4), "c");
  EXPECT_TRUE(sp.sheet()->getBool(ui::kSpreadOptionChanged));
  EXPECT_FALSE(sp.insertRow(6, false, false));  // at most the row count + 1
}

TEST(Nx_SpreadRows, InsertAtTheEndAndAskForACaption) {
  SpreadTestHost host(2, 2);
  host.spread.setColumnValues(1, {"a", "b"}, false);
  host.script.modal(dlg_value::kTemplateId).type(dlg_value::IDC_TEXT, "Total").ok();
  ASSERT_TRUE(host.spread.insertRow(3, true, false));
  EXPECT_EQ(host.text(Nx_Spread::kHeader, 3), "Total");
  EXPECT_TRUE(host.text(1, 3).isEmpty());
  EXPECT_EQ(host.text(1, 2), "b");

  host.script.modal(dlg_value::kTemplateId).cancel();
  ASSERT_TRUE(host.spread.insertColumn(1, true, true));
  EXPECT_EQ(host.spread.getMaxCols(), 3);
  EXPECT_TRUE(host.text(1, Nx_Spread::kHeader).isEmpty());
  EXPECT_EQ(host.text(2, 1), "a");
}

TEST(Nx_SpreadRows, AppendRowAddsAnEmptyLastRow) {
  SpreadTestHost host(2, 2);
  host.spread.setRowValues(2, {"x", "y"}, false);
  EXPECT_EQ(host.spread.appendRow(true), 3);
  EXPECT_TRUE(host.text(1, 3).isEmpty());
  EXPECT_EQ(host.text(1, 2), "x");
  EXPECT_EQ(Nx_Spread().appendRow(false), -1);
}

TEST(Nx_SpreadRows, AppendRowValuesFillsTheRowItInserted) {
  SpreadTestHost host(2, 3);
  Nx_Spread& sp = host.spread;
  sp.setColumnValues(1, {"a", "b", "c"}, false);
  sp.sheet()->setActiveCell(1, 1);
  ASSERT_TRUE(sp.appendRowValues({"new", "1"}));
  EXPECT_EQ(host.text(1, 2), "new");
  EXPECT_EQ(host.text(1, 3), "b");
  EXPECT_EQ(host.text(1, 4), "c");  // the last row keeps its data

  SpreadTestHost empty(2, 0);
  ASSERT_TRUE(empty.spread.appendRowValues({"first"}));
  EXPECT_EQ(empty.text(1, 1), "first");
}

TEST(Nx_SpreadRows, DeleteShrinksTheSheet) {
  SpreadTestHost host(2, 3);
  host.spread.setColumnValues(1, {"a", "b", "c"}, false);
  ASSERT_TRUE(host.spread.deleteRow(2));
  EXPECT_EQ(host.spread.getMaxRows(), 2);
  EXPECT_EQ(host.text(1, 2), "c");
  EXPECT_FALSE(host.spread.deleteRow(3));
  ASSERT_TRUE(host.spread.deleteColumn(1));
  EXPECT_EQ(host.spread.getMaxCols(), 1);
  host.spread.sheet()->setActiveCell(1, 1);
  EXPECT_TRUE(host.spread.deleteSelectedRow());
  EXPECT_EQ(host.spread.getMaxRows(), 1);
}

TEST(Nx_SpreadRows, MoveSwapsRowsAndSelectsTheTarget) {
  SpreadTestHost host(2, 3);
  Nx_Spread& sp = host.spread;
  sp.setColumnValues(1, {"a", "b", "c"}, false);
  sp.sheet()->setActiveCell(2, 2);
  ASSERT_TRUE(sp.moveSelectedRowUp());
  EXPECT_EQ(host.text(1, 1), "b");
  EXPECT_EQ(host.text(1, 2), "a");
  EXPECT_EQ(sp.getSelectedRow(), 1);
  EXPECT_FALSE(sp.moveSelectedRowUp());  // nothing above row 1
  ASSERT_TRUE(sp.moveRow(1, 3));
  EXPECT_EQ(host.text(1, 3), "b");
  EXPECT_FALSE(sp.moveRow(1, 4));
}

TEST(Nx_SpreadRows, CopyRowIncludesTheHeaderCell) {
  SpreadTestHost host(2, 3);
  host.spread.setRowHeaders({"one", "two"});
  host.spread.setRowValues(1, {"a", "b"}, false);
  ASSERT_TRUE(host.spread.copyRow(1, 3));
  EXPECT_EQ(host.text(Nx_Spread::kHeader, 3), "one");
  EXPECT_EQ(host.text(2, 3), "b");
  EXPECT_FALSE(host.spread.copyRow(1, 4));
}

TEST(Nx_SpreadRows, CopiesMarkTheSheetChangedGrowingDoesNot) {
  constexpr int kOptionChanged = 30;
  SpreadTestHost host(2, 3);
  grid::Sheet& s = *host.spread.sheet();
  s.setBool(kOptionChanged, false);
  ASSERT_TRUE(host.spread.setMaxRows(5));
  EXPECT_FALSE(s.getBool(kOptionChanged));
  ASSERT_TRUE(host.spread.copyRow(1, 2));
  EXPECT_TRUE(s.getBool(kOptionChanged));
  s.setBool(kOptionChanged, false);
  ASSERT_TRUE(host.spread.copyColumn(1, 2));
  EXPECT_TRUE(s.getBool(kOptionChanged));
}
