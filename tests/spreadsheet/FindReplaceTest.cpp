// The find/replace dialog of a sheet, driven as a user would through the script.
#include <gtest/gtest.h>

#include "platform/ui/DialogSizeMemory.h"
#include "resources/dialogs/DLG_FINDREPLACE.h"
#include "spreadsheet/FindReplaceDlg.h"
#include "spreadsheet/SheetOptions.h"
#include "tests/spreadsheet/SpreadTestHost.h"

using namespace dlg_findreplace;

namespace {

struct FindHost : SpreadTestHost {
  FindHost() : SpreadTestHost(3, 3) {
    fillColumn(1, {"Bolt M16", "Plate", "bolt M20"});
    fillColumn(2, {"", "Weld", ""});
    spread.sheet()->setActiveCell(1, 1);
    spread.setFocus();
  }
  ui::Dialog& openDialog() {
    spread.setFocus();
    dialog.dispatchKey({ui::VK_F3});
    EXPECT_NE(spread.findReplaceDialog(), nullptr);
    return *spread.findReplaceDialog();
  }
  void expectSelection(int col, int row, int start, int end) {
    int c = 0, r = 0, s = -1, e = -1;
    spread.getActiveCell(c, r);
    EXPECT_EQ(c, col);
    EXPECT_EQ(r, row);
    ASSERT_TRUE(spread.getEditSelection(s, e));
    EXPECT_EQ(s, start);
    EXPECT_EQ(e, end);
  }
};
}  // namespace

TEST(FindReplace, F3OpensTheDialogOnceAndThenFindsNext) {
  FindHost host;
  ui::Dialog& dlg = host.openDialog();
  EXPECT_TRUE(dlg.isCreated());
  EXPECT_EQ(dlg.text(), "Find and replace");
  EXPECT_EQ(dlg.itemText(ui::IDOK), "Find next");
  EXPECT_TRUE(dlg.exStyle() & ui::WS_EX_TOPMOST);
  host.script.now(dlg).type(IDC_FIND_TEXT, "bolt");
  host.spread.setFocus();
  host.dialog.dispatchKey({ui::VK_F3});  // the sheet's F3 now finds next
  EXPECT_EQ(host.spread.findReplaceDialog(), &dlg);
  host.expectSelection(1, 3, 0, 4);  // case does not matter; the active cell is skipped
}

TEST(FindReplace, FindGoesOnInsideTheCellThenToTheNextCells) {
  FindHost host;
  host.spread.setCellText(2, 1, "M16 x M16");
  ui::Dialog& dlg = host.openDialog();
  host.script.now(dlg).type(IDC_FIND_TEXT, "M16").click(ui::IDOK);
  host.expectSelection(2, 1, 0, 3);
  host.script.now(dlg).click(ui::IDOK);
  host.expectSelection(2, 1, 6, 9);
  host.script.answer(ui::IDYES, "end of the sheet");
  host.script.now(dlg).click(ui::IDOK);  // nothing after: go on from the top
  host.expectSelection(1, 1, 5, 8);
  EXPECT_TRUE(host.script.done());
}

TEST(FindReplace, AFailedFindAsksThenReportsNotFound) {
  FindHost host;
  ui::Dialog& dlg = host.openDialog();
  host.script.answer(ui::IDYES, "continue from the beginning");
  host.script.answer(ui::IDOK, "not found");
  host.script.now(dlg).type(IDC_FIND_TEXT, "anchor").click(ui::IDOK);
  EXPECT_TRUE(host.script.done());
  ASSERT_EQ(host.script.messageBoxes().size(), 2u);
  EXPECT_EQ(host.script.messageBoxes()[0].caption, "Find");
  EXPECT_EQ(host.script.messageBoxes()[0].type & ui::MB_TYPEMASK, ui::MB_YESNO);

  // No: no second box.
  host.script.answer(ui::IDNO);
  host.script.now(dlg).click(ui::IDOK);
  EXPECT_EQ(host.script.messageBoxes().size(), 3u);
}

TEST(FindReplace, ReplaceChangesTheSelectedText) {
  FindHost host;
  ui::Dialog& dlg = host.openDialog();
  host.spread.sheet()->setBool(ui::kSpreadOptionChanged, false);
  host.script.now(dlg)
      .type(IDC_FIND_TEXT, "Plate")
      .type(IDC_REPLACE_TEXT, "Flat bar")
      .click(IDC_REPLACE);
  EXPECT_EQ(host.text(1, 2), "Plate");  // nothing selected yet
  host.script.now(dlg).click(ui::IDOK).click(IDC_REPLACE);
  EXPECT_EQ(host.text(1, 2), "Flat bar");
  EXPECT_TRUE(host.spread.sheet()->getBool(ui::kSpreadOptionChanged));
  host.expectSelection(1, 2, 0, 8);
}

TEST(FindReplace, ReplaceAllCountsCellsAndMarksTheSheetChanged) {
  FindHost host;
  host.spread.sheet()->setFormula(3, 3, "\"bolt\"&\"s\"");
  ui::Dialog& dlg = host.openDialog();
  host.script.answer(ui::IDOK, "replaced in 2 cells");
  host.script.now(dlg)
      .type(IDC_FIND_TEXT, "BOLT")
      .type(IDC_REPLACE_TEXT, "Screw")
      .click(IDC_REPLACE_ALL);
  EXPECT_EQ(host.text(1, 1), "Screw M16");
  EXPECT_EQ(host.text(1, 3), "Screw M20");
  EXPECT_EQ(host.text(3, 3, Nx_Spread::kFormula), "\"bolt\"&\"s\"");  // formulas stay

  host.spread.sheet()->setBool(ui::kSpreadOptionChanged, false);
  host.script.answer(ui::IDOK, "replaced in 0 cells");
  host.script.now(dlg).type(IDC_FIND_TEXT, "nowhere").click(IDC_REPLACE_ALL);
  EXPECT_TRUE(host.spread.sheet()->getBool(ui::kSpreadOptionChanged));
  EXPECT_TRUE(host.script.done());
}

TEST(FindReplace, ClosingRestoresOption13AndRemembersTheSize) {
  FindHost host;
  grid::Sheet& s = *host.spread.sheet();
  s.setBool(kOptionEditMode, false);
  ui::Dialog& dlg = host.openDialog();
  EXPECT_TRUE(s.getBool(kOptionEditMode));
  EXPECT_FALSE(s.getBool(kOptionAutoEdit));
  host.script.now(dlg).cancel();
  EXPECT_FALSE(dlg.isCreated());
  EXPECT_FALSE(s.getBool(kOptionEditMode));
  ui::Rect remembered;
  EXPECT_TRUE(ui::DialogSizeMemory::get("DLG_FINDREPLACE", remembered));

  s.setBool(kOptionEditMode, true);
  ui::Dialog& again = host.openDialog();  // opened anew
  EXPECT_TRUE(again.isCreated());
  host.script.now(again).close();
  EXPECT_TRUE(s.getBool(kOptionEditMode));
}

TEST(FindReplace, SheetHelpersMatchWithoutCase) {
  FindHost host;
  Nx_Spread& sp = host.spread;
  EXPECT_EQ(sp.findInRow("PLATE", false, 2, 1), 1);
  EXPECT_EQ(sp.findInRow("plat", false, 2, 1), 0);
  EXPECT_EQ(sp.findInRow("plat", true, 2, 1), 1);
  EXPECT_EQ(sp.findInRow("", true, 2, 1), 0);
  int col = 0, row = 0;
  EXPECT_TRUE(sp.find("weld", true, 2, 1, col, row));
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 2);
  EXPECT_FALSE(sp.find("Bolt M16", false, 2, 1, col, row));  // no wrap to the top
  EXPECT_TRUE(sp.replaceInCell(2, 2, "WELD", "Fillet"));
  EXPECT_EQ(host.text(2, 2), "Fillet");
  EXPECT_FALSE(sp.replaceInCell(2, 2, "absent", "x"));
}

// Number cells keep the text they were written with ("007", "1e3") while
// their value reads "7" and "1000": find selects, and replace edits, the
// characters of that one text.
TEST(FindReplace, FindsAndReplacesInTheTextItSelects) {
  FindHost host;
  host.spread.setCellText(2, 1, "007");
  host.spread.setCellText(3, 1, "1e3");
  ui::Dialog& dlg = host.openDialog();
  host.script.now(dlg).type(IDC_FIND_TEXT, "7").type(IDC_REPLACE_TEXT, "#").click(ui::IDOK);
  host.expectSelection(2, 1, 2, 3);
  host.script.now(dlg).click(IDC_REPLACE);
  EXPECT_EQ(host.text(2, 1), "00#");

  EXPECT_EQ(host.spread.findInRow("0", true, 1, 3), 0);  // "1e3" holds no "0"
  host.script.answer(ui::IDOK, "replaced in 2 cells");
  host.script.now(dlg).type(IDC_FIND_TEXT, "0").click(IDC_REPLACE_ALL);
  EXPECT_EQ(host.text(2, 1), "###");
  EXPECT_EQ(host.text(1, 3), "bolt M2#");
  EXPECT_EQ(host.text(3, 1), "1e3");
  EXPECT_TRUE(host.script.done());
}

TEST(FindReplace, AFormulaCellIsFoundByItsValueWithoutATextSelection) {
  FindHost host;
  host.spread.sheet()->setFormula(2, 1, "\"Bolt\"&\" M24\"");
  ui::Dialog& dlg = host.openDialog();
  host.script.now(dlg).type(IDC_FIND_TEXT, "M24").click(ui::IDOK);
  int col = 0, row = 0, start = 0, end = 0;
  host.spread.getActiveCell(col, row);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 1);
  EXPECT_FALSE(host.spread.getEditSelection(start, end));
  host.script.now(dlg).click(IDC_REPLACE);  // nothing to replace in a formula's value
  EXPECT_EQ(host.text(2, 1, Nx_Spread::kFormula), "\"Bolt\"&\" M24\"");
}

TEST(FindReplace, ReplaceSkipsCellsThatTypingCannotChange) {
  FindHost host;
  Nx_Spread& sp = host.spread;
  sp.setCellLocked(1, 1, true);
  sp.setStaticCell(1, 3, 0);
  sp.setCellText(1, 3, "bolt M20");
  sp.setCellText(2, 1, "bolt");
  ui::Dialog& dlg = host.openDialog();
  host.script.answer(ui::IDOK, "replaced in 1 cells");
  host.script.now(dlg)
      .type(IDC_FIND_TEXT, "bolt")
      .type(IDC_REPLACE_TEXT, "Screw")
      .click(IDC_REPLACE_ALL);
  EXPECT_EQ(host.text(1, 1), "Bolt M16");
  EXPECT_EQ(host.text(1, 3), "bolt M20");
  EXPECT_EQ(host.text(2, 1), "Screw");
  EXPECT_TRUE(host.script.done());

  // The single replace refuses a locked cell's selected text too.
  sp.selectInCell(1, 1, 0, 4);
  EXPECT_FALSE(sp.replaceSelection("Nut"));
  EXPECT_EQ(host.text(1, 1), "Bolt M16");
}
