// The grid behaviours: typed cells, fitting, locks and merges, check-box
// links, the popup menu, Tab exit and size actions.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/grid/Clipboard.h"
#include "platform/ui/Services.h"
#include "spreadsheet/Nx_SpreadPopupMenu.h"
#include "spreadsheet/SheetOptions.h"
#include "tests/spreadsheet/SpreadTestHost.h"

namespace {
constexpr int kCheckType = 12;

// Chooses the menu entry with the text, recording what was offered.
struct MenuPick {
  explicit MenuPick(std::string text) : wanted(std::move(text)) {
    ui::SpreadControl::setMenuAnswer([this](const std::vector<ui::MenuEntry>& entries, ui::Point) {
      offered = entries;
      for (const auto& e : entries)
        if (e.text == wanted) return e.id;
      return 0;
    });
  }
  ~MenuPick() { ui::SpreadControl::setMenuAnswer(nullptr); }
  std::string wanted;
  std::vector<ui::MenuEntry> offered;
};

void rightClick(Nx_Spread& spread) {
  spread.dispatchMouse({ui::MouseAction::Down, ui::MouseButton::Right, {5, 5}});
}
}  // namespace

TEST(Nx_SpreadCellTypes, ColumnsGetTheirTypes) {
  SpreadTestHost host(5, 3);
  Nx_Spread& sp = host.spread;
  ASSERT_TRUE(sp.setEditColumn(1));
  ASSERT_TRUE(sp.setNumberColumn(2, 2, true));
  ASSERT_TRUE(sp.setComboColumn(3, {"S235", "S355"}, false));
  ASSERT_TRUE(sp.setCheckColumn(4, true, true));
  ASSERT_TRUE(sp.setButtonColumn(5, "...", false));
  const grid::Sheet& s = *sp.sheet();
  EXPECT_EQ(s.getCellType(1, 3).maxLength, 200);
  EXPECT_EQ(s.getCellType(2, 1).decimals, 2);
  EXPECT_EQ(s.getCellType(2, 1).style, 0x10400000u);
  EXPECT_EQ(s.getCellType(3, 2).text, "S235\tS355");
  EXPECT_EQ(sp.getCellType(4, 3), kCheckType);
  EXPECT_NE(s.getCellType(4, 1).handle, 0u);  // the module's check-box pictures
  EXPECT_NE(ui::SpreadPictures::find(s.getCellType(4, 1).handle), nullptr);
  EXPECT_EQ(s.getBorder(4, 2).type, 2u);
  int ac = 0, ar = 0, nc = 0, nr = 0;
  ASSERT_TRUE(s.getCellSpan(5, 0, ac, ar, nc, nr));  // the check column's header spans the next
  EXPECT_EQ(ac, 4);
  EXPECT_EQ(nc, 2);
  EXPECT_EQ(s.getCellType(5, 1).text, "...");
  sp.setCellText(2, 1, "1234.567");
  EXPECT_EQ(s.displayText(2, 1), "1,234.57");
  EXPECT_FALSE(sp.setEditColumn(6));
}

TEST(Nx_SpreadCellTypes, PictureCellsNeedTheirFile) {
  SpreadTestHost host(3, 2);
  int rowsUsed = -1;
  EXPECT_FALSE(host.spread.setPictureCell("/no/such/picture.bmp", 2, 1, rowsUsed));
  // A 4 x 30 BMP header is all the cell needs to size its row.
  std::string path = ::testing::TempDir() + "/spread_picture.bmp";
  unsigned char bmp[54] = {'B', 'M'};
  bmp[14] = 40;
  bmp[18] = 4;
  bmp[22] = 30;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<char*>(bmp), sizeof bmp);
  ASSERT_TRUE(host.spread.setPictureCell(path, 2, 1, rowsUsed));
  EXPECT_EQ(rowsUsed, 0);
  const grid::Sheet& s = *host.spread.sheet();
  EXPECT_DOUBLE_EQ(s.rowHeight(1), 30);
  EXPECT_EQ(host.spread.getCellType(2, 1), 8);
  EXPECT_EQ(s.getBorder(1, 1).type, 0x12u);
  std::remove(path.c_str());
}

TEST(Nx_SpreadLayout, FitsColumnsToTheirWidestText) {
  SpreadTestHost host(2, 2);
  Nx_Spread& sp = host.spread;
  const grid::Sheet& s = *sp.sheet();
  sp.setColumnHeaders({"A rather long caption", "B"});
  double before = s.colWidth(2);
  ASSERT_TRUE(sp.fitAll());
  EXPECT_GT(s.colWidth(1), s.colWidth(2));
  EXPECT_EQ(sp.getCellType(1, Nx_Spread::kHeader), 5);  // static headers
  sp.setColumnHeaders({"", ""});
  sp.sheet()->setColWidth(2, before);
  sp.fitColumnWidth(2);
  EXPECT_DOUBLE_EQ(s.colWidth(2), before);  // nothing to measure: the width stays
}

TEST(Nx_SpreadLayout, ColumnToWindowTakesTheRest) {
  SpreadTestHost host(3, 2);
  Nx_Spread& sp = host.spread;
  ASSERT_TRUE(sp.fitColumnToWindow(2));
  EXPECT_NEAR(sp.getTotalColumnWidth(), sp.clientRect().width(), 1);
}

TEST(Nx_SpreadLayout, SizeActionsShareTheWidth) {
  SpreadTestHost host(3, 2);
  Nx_Spread& sp = host.spread;
  const grid::Sheet& s = *sp.sheet();
  sp.setSizeAction(1);
  sp.resize({330, 200});
  int header = s.colWidthInPixels(0);
  int total = s.colWidthInPixels(1) + s.colWidthInPixels(2) + s.colWidthInPixels(3);
  EXPECT_NEAR(total, 330 - header, 3);
  EXPECT_NEAR(s.colWidthInPixels(1), s.colWidthInPixels(3), 1);

  sp.setSizeAction(3, 2, 100);
  sp.resize({500, 200});
  EXPECT_NEAR(s.colWidthInPixels(2), 100, 1);
  EXPECT_NEAR(s.colWidthInPixels(1), (500 - header - 100) / 2, 1);
}

TEST(Nx_SpreadLocks, MergeEqualCellsJoinsRuns) {
  SpreadTestHost host(1, 6);
  host.fillColumn(1, {"A", "A", "", "B", "B", "B"});
  ASSERT_TRUE(host.spread.mergeEqualCells(1));
  const grid::Sheet& s = *host.spread.sheet();
  int ac = 0, ar = 0, nc = 0, nr = 0;
  ASSERT_TRUE(s.getCellSpan(1, 2, ac, ar, nc, nr));
  EXPECT_EQ(ar, 1);
  EXPECT_EQ(nr, 2);
  EXPECT_FALSE(s.getCellSpan(1, 3, ac, ar, nc, nr));
  ASSERT_TRUE(s.getCellSpan(1, 6, ac, ar, nc, nr));
  EXPECT_EQ(ar, 4);
  EXPECT_EQ(nr, 3);
  EXPECT_EQ(nc, 1);
  // Merging again after a change starts from scratch.
  host.spread.setCellText(1, 5, "C");
  ASSERT_TRUE(host.spread.mergeEqualCells(1));
  EXPECT_FALSE(s.getCellSpan(1, 6, ac, ar, nc, nr));
  ASSERT_TRUE(host.spread.removeAllSpans());
  EXPECT_FALSE(s.getCellSpan(1, 1, ac, ar, nc, nr));
  EXPECT_FALSE(host.spread.removeColumnSpans(-1));
}

TEST(Nx_SpreadLocks, RowsAndColumnsLock) {
  SpreadTestHost host(2, 3);
  const grid::Sheet& s = *host.spread.sheet();
  ASSERT_TRUE(host.spread.lockColumn(1));
  EXPECT_TRUE(s.getLock(1, 3));
  EXPECT_FALSE(s.getLock(2, 3));
  ASSERT_TRUE(host.spread.setRowLocked(2, true));
  EXPECT_TRUE(s.getLock(2, 2));
  ASSERT_TRUE(host.spread.setCellLocked(2, 2, false));
  EXPECT_FALSE(s.getLock(2, 2));
  EXPECT_FALSE(host.spread.setCellLocked(3, 1, true));
}

TEST(Nx_SpreadLocks, CheckLinkLocksTheCompanionCell) {
  SpreadTestHost host(2, 5);
  Nx_Spread& sp = host.spread;
  sp.setCheckColumn(1, false, false);
  sp.setColumnBools(1, AcArray<bool>{true, false, true, true, false});
  EXPECT_FALSE(sp.linkCheckColumn(1, 3));
  ASSERT_TRUE(sp.linkCheckColumn(1, 2));
  const grid::Sheet& s = *sp.sheet();
  EXPECT_FALSE(s.getLock(2, 1));
  EXPECT_TRUE(s.getLock(2, 2));
  EXPECT_FALSE(s.getLock(2, 4));

  // The user clears the box of row 4: its companion locks, the focus moves there.
  ASSERT_TRUE(sp.userClickCell(1, 4));
  bool checked = true;
  ASSERT_TRUE(sp.getCellBool(1, 4, checked));
  EXPECT_FALSE(checked);
  EXPECT_TRUE(s.getLock(2, 4));
  int col = 0, row = 0;
  sp.getActiveCell(col, row);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 4);
  ASSERT_TRUE(sp.userClickCell(1, 4));
  EXPECT_FALSE(s.getLock(2, 4));
}

TEST(Nx_SpreadPopup, CommandIdsSkipSeparators) {
  Nx_SpreadPopupMenu menu(AcArray<int>{2, 1, 3});
  auto entries = menu.entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].id, 32811);
  EXPECT_EQ(entries[0].text, "Copy");
  EXPECT_TRUE(entries[1].separator);
  EXPECT_EQ(entries[2].id, 32812);
  EXPECT_EQ(entries[2].text, "Paste");
  EXPECT_EQ(menu.kindOfCommand(32811), Nx_SpreadPopupMenu::kCopy);
  EXPECT_EQ(menu.kindOfCommand(32812), Nx_SpreadPopupMenu::kPaste);
  EXPECT_EQ(menu.kindOfCommand(32816), 0);
  EXPECT_EQ(menu.kindOfCommand(12345), 0);
}

TEST(Nx_SpreadPopup, OnlyTenCommandsAndKnownKinds) {
  Nx_SpreadPopupMenu menu(AcArray<int>{1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 1});
  auto entries = menu.entries();
  ASSERT_EQ(entries.size(), 10u);  // no leading or trailing separator, kind 0 dropped
  EXPECT_EQ(entries.front().id, 32811);
  EXPECT_EQ(entries.back().id, 32804);
  EXPECT_EQ(menu.kindOfCommand(32803), 2);
}

TEST(Nx_SpreadPopup, RightClickRunsTheChosenEntry) {
  SpreadTestHost host(2, 3);
  Nx_Spread& sp = host.spread;
  host.fillColumn(1, {"a", "b", "c"});
  sp.setPopupEntries(AcArray<int>{4, 5, 1, 8, 9});
  sp.sheet()->setActiveCell(1, 2);
  {
    MenuPick pick("Delete row");
    rightClick(sp);
    EXPECT_EQ(pick.offered.size(), 5u);
  }
  EXPECT_EQ(sp.getMaxRows(), 2);
  EXPECT_EQ(host.text(1, 2), "c");

  sp.setCheckColumn(2, false, false);
  sp.selectBlock(-1, -1, -1, -1);
  {
    MenuPick pick("Check all");
    rightClick(sp);
  }
  Nx_StringArray checks;
  sp.getColumnValues(2, checks);
  EXPECT_EQ(checks, (Nx_StringArray{"1", "1"}));
  EXPECT_EQ(host.text(1, 1), "a");  // not a check box: left alone
  {
    MenuPick pick("");  // dismissed
    rightClick(sp);
  }
  EXPECT_EQ(sp.getMaxRows(), 2);
}

TEST(Nx_SpreadPopup, CopyAndPasteGoThroughTheClipboard) {
  SpreadTestHost host(2, 2);
  Nx_Spread& sp = host.spread;
  host.fillColumn(1, {"x", "y"});
  sp.setPopupEntries(AcArray<int>{2, 3});
  sp.selectBlock(1, 1, 1, 2);
  {
    MenuPick pick("Copy");
    rightClick(sp);
  }
  EXPECT_EQ(ui::clipboardText().value_or(""), "x\r\ny\r\n");
  sp.selectBlock(2, 1, 2, 1);
  {
    MenuPick pick("Paste");
    rightClick(sp);
  }
  EXPECT_EQ(host.text(2, 2), "y");
}

// Paste writes as typing does: locked and check-box cells keep what they
// are, a number cell refuses text; one box tells how many cells were skipped.
TEST(Nx_SpreadPopup, PasteRespectsLocksAndCellTypes) {
  SpreadTestHost host(4, 2);
  Nx_Spread& sp = host.spread;
  sp.setRowValues(1, {"Plate", "12", "1", "M16"}, false);
  sp.setCellLocked(1, 2, true);
  sp.setCellText(1, 2, "kept");
  sp.setNumberCell(2, 2, 0, false);
  sp.setCheckCell(3, 2);
  sp.setNumberCell(4, 2, 0, false);
  sp.setPopupEntries(AcArray<int>{2, 3});
  sp.selectBlock(1, 1, 4, 1);
  {
    MenuPick pick("Copy");
    rightClick(sp);
  }
  sp.selectBlock(1, 2, 1, 2);
  host.script.answer(ui::IDOK, "3 cells were not pasted");
  {
    MenuPick pick("Paste");
    rightClick(sp);
  }
  EXPECT_TRUE(host.script.done());
  EXPECT_EQ(host.text(1, 2), "kept");
  EXPECT_TRUE(sp.sheet()->getLock(1, 2));
  EXPECT_EQ(host.text(2, 2), "12");
  EXPECT_EQ(sp.getCellType(3, 2), kCheckType);
  EXPECT_EQ(host.text(4, 2), "");  // "M16" is no number
  EXPECT_EQ(sp.getCellType(4, 2), static_cast<int>(grid::CellKind::Number));

  // Text from another program goes the same way.
  ui::setClipboardText("a\t7");
  host.script.answer(ui::IDOK, "1 cell was not pasted");
  EXPECT_TRUE(sp.pasteFromClipboard());
  EXPECT_EQ(host.text(1, 2), "kept");
  EXPECT_EQ(host.text(2, 2), "7");
  EXPECT_TRUE(host.script.done());
  grid::Clipboard::instance().clear();
}

TEST(Nx_SpreadKeys, TabLeavesAtTheFirstAndLastUnlockedCell) {
  SpreadTestHost host(3, 2);
  Nx_Spread& sp = host.spread;
  sp.lockColumn(3);
  sp.setCellLocked(1, 1, true);
  sp.setFocus();
  int result = -1;
  sp.sheet()->setActiveCell(2, 1);  // the first unlocked cell
  host.script.holdKey(ui::VK_SHIFT);
  ASSERT_TRUE(sp.isTabExit(ui::VK_TAB, result));
  EXPECT_EQ(result, 3);
  host.script.holdKey(ui::VK_SHIFT, false);
  ASSERT_TRUE(sp.isTabExit(ui::VK_TAB, result));
  EXPECT_EQ(result, 0);
  sp.sheet()->setActiveCell(2, 2);  // the last unlocked cell
  ASSERT_TRUE(sp.isTabExit(ui::VK_TAB, result));
  EXPECT_EQ(result, 2);
  EXPECT_FALSE(sp.isTabExit(ui::VK_RETURN, result));
}

TEST(Nx_SpreadKeys, TabMovesInsideTheGridUntilItLeaves) {
  SpreadTestHost host(2, 2);
  Nx_Spread& sp = host.spread;
  sp.setCellLocked(2, 1, true);
  sp.setFocus();
  sp.sheet()->setActiveCell(1, 1);
  host.dialog.dispatchKey({ui::VK_TAB});
  int col = 0, row = 0;
  sp.getActiveCell(col, row);
  EXPECT_EQ(col, 1);  // the locked cell is skipped
  EXPECT_EQ(row, 2);
  host.dialog.dispatchKey({ui::VK_TAB});
  host.dialog.dispatchKey({ui::VK_TAB});
  sp.getActiveCell(col, row);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 2);
  EXPECT_FALSE(sp.onKey({ui::VK_TAB}));             // the last unlocked cell: Tab leaves
  EXPECT_TRUE(sp.onKey({ui::VK_TAB, true, true}));  // Shift+Tab stays inside
}

TEST(Nx_SpreadKeys, F8TogglesOption13) {
  SpreadTestHost host;
  grid::Sheet& s = *host.spread.sheet();
  host.spread.setFocus();
  s.setBool(kOptionEditMode, false);
  host.dialog.dispatchKey({ui::VK_F8});
  EXPECT_TRUE(s.getBool(kOptionEditMode));
  host.spread.setF8TogglesOption13(false);
  host.dialog.dispatchKey({ui::VK_F8});
  EXPECT_TRUE(s.getBool(kOptionEditMode));
}
