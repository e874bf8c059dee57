#include <gtest/gtest.h>

#include <string>

#include "common/SSExports.h"
#include "core/Nx_Settings.h"
#include "platform/arx/acutil.h"
#include "platform/base/NamedValueStore.h"
#include "platform/grid/FormulaDisplay.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_SSFORMULA.h"
#include "spreadsheet/KvSSFormulaDlg.h"
#include "tests/spreadsheet/LookupFiles.h"

using namespace dlg_ssformula;

namespace {

const char kTable[] =
    "Diameter,Hole\n"
    "M12,13\n"
    "M16,\"=FROMTABLE(\"\"holes.csv\"\",\"\"Bolt\"\",\"\"Hole\"\",\"\"m16\"\")\"\n";
const char kHoles[] = "Bolt,Hole\nM16,18\n";

grid::Sheet& sheetOf(ui::Dialog& d) {
  return *static_cast<KvSSFormulaDlg&>(d).spread().sheet();
}

class LibraryFolder {
 public:
  explicit LibraryFolder(const std::string& folder) : before_(gSettings.libDir) {
    gSettings.setLibDir(Nx_String(folder));
  }
  ~LibraryFolder() { gSettings.libDir = before_; }

 private:
  Nx_String before_;
};

// Each case has a folder of its own, which also takes the remembered
// dialog sizes.
class FormulaDialog : public ::testing::Test {
 protected:
  FormulaDialog() : registry_(base::NamedValueStore::instance().file()) {
    base::NamedValueStore::instance().setFile(files.folder() + "registry.ini");
  }
  ~FormulaDialog() override { base::NamedValueStore::instance().setFile(registry_); }

  LookupFiles files;

 private:
  std::string registry_;
};

}  // namespace

TEST_F(FormulaDialog, ReadSSFileGivesCaptionsRowsAndTheFirstCell) {
  files.write("holes.csv", kHoles);
  std::string path = files.write("table.csv", kTable);
  ui::test::GTestScript script;
  Nx_String result;
  Nx_StringArray captions;
  Nx_Array<Nx_StringArray> rows;
  ReadSSFile(Nx_String(path), result, captions, rows);
  EXPECT_EQ(result, "Diameter");
  ASSERT_EQ(captions.length(), 2);
  EXPECT_EQ(captions[0], "");  // a CSV file has no header row
  ASSERT_EQ(rows.length(), 3);
  EXPECT_EQ(rows[1][0], "M12");
  // Lookups in the table itself are answered from the folder of the table.
  EXPECT_EQ(rows[2][1], "18");
}

TEST_F(FormulaDialog, ReadSSFileOnAMissingFileGivesNothing) {
  ui::test::GTestScript script;
  AcutPrintCapture capture;
  Nx_String result = "old";
  Nx_StringArray captions;
  Nx_Array<Nx_StringArray> rows;
  ReadSSFile(Nx_String(files.folder() + "none.csv"), result, captions, rows);
  EXPECT_EQ(result, "");
  EXPECT_EQ(captions.length(), 0);
  EXPECT_EQ(rows.length(), 0);
  EXPECT_NE(capture.text().find("Load failed\n"), std::string::npos) << capture.text();
}

TEST_F(FormulaDialog, EvaluateSSComputesTheFirstCellOfTheLibrarySheet) {
  files.write("Tables/holes.csv", kHoles);
  files.write("Tables/t3.sss",
              "\"=FROMTABLE(\"\"holes.csv\"\",\"\"bolt\"\",\"\"hole\"\",\"\"M16\"\")*2\"\n");
  LibraryFolder library(files.folder());
  ui::test::GTestScript script;
  std::string file = files.folder() + "Tables/t3.sss";
  script.modal(kTemplateId)
      .check([&](ui::Dialog& d) {
        EXPECT_EQ(static_cast<KvSSFormulaDlg&>(d).resultText, "36");
        EXPECT_EQ(d.itemText(IDC_FILE), file);
      })
      .ok();
  EvaluateSS();
  EXPECT_TRUE(script.done());
}

TEST_F(FormulaDialog, StartsWithTheDefaultStyleAndManualCalculation) {
  ui::test::GTestScript script;
  KvSSFormulaDlg dlg;
  script.modal(kTemplateId)
      .check([](ui::Dialog& d) {
        grid::Sheet& s = sheetOf(d);
        EXPECT_TRUE(static_cast<KvSSFormulaDlg&>(d).spread().hasFocus());
        EXPECT_EQ(s.maxCols(), 8);
        EXPECT_EQ(s.maxRows(), 10);
        EXPECT_TRUE(d.isChecked(IDC_STYLE_DEFAULT));
        EXPECT_FALSE(d.isChecked(IDC_AUTO_CALC));
        EXPECT_TRUE(d.isItemEnabled(IDC_RECALC));
        EXPECT_FALSE(s.getBool(grid::kOptionAutoCalc));
        EXPECT_EQ(s.cellTypeCode(6, 6), s.cellTypeCode(1, 1));
        EXPECT_NE(s.cellTypeCode(7, 7), s.cellTypeCode(1, 1));
      })
      .click(IDC_AUTO_CALC)
      .check([](ui::Dialog& d) {
        EXPECT_TRUE(sheetOf(d).getBool(grid::kOptionAutoCalc));
        EXPECT_FALSE(d.isItemEnabled(IDC_RECALC));
      })
      .ok();
  EXPECT_EQ(dlg.doModal(), ui::IDOK);
}

TEST_F(FormulaDialog, TheR1C1ChoiceShowsFormulasRelativeToTheirCells) {
  ui::test::GTestScript script;
  KvSSFormulaDlg dlg;
  script.modal(kTemplateId)
      .check([](ui::Dialog& d) {
        grid::Sheet& s = sheetOf(d);
        ASSERT_TRUE(s.setFormula(3, 3, "SUM(A1:B2)+$A$1"));
        static_cast<KvSSFormulaDlg&>(d).spread().userMoveTo(3, 3);
        EXPECT_EQ(d.itemText(IDC_CELL), "C3");
        EXPECT_EQ(d.itemText(IDC_FORMULA), "=SUM(A1:B2)+$A$1");
      })
      .click(IDC_STYLE_R1C1)
      .check([](ui::Dialog& d) {
        EXPECT_EQ(grid::displayFormula(sheetOf(d), 3, 3), "SUM(R[-2]C[-2]:R[-1]C[-1])+R1C1");
        EXPECT_EQ(d.itemText(IDC_CELL), "R3C3");
        EXPECT_EQ(d.itemText(IDC_FORMULA), "=SUM(R[-2]C[-2]:R[-1]C[-1])+R1C1");
        EXPECT_EQ(sheetOf(d).getFormula(3, 3), "SUM(A1:B2)+$A$1");  // stored as written
      })
      .click(IDC_STYLE_A1)
      .check([](ui::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_FORMULA), "=SUM(A1:B2)+$A$1");
        static_cast<KvSSFormulaDlg&>(d).spread().userMoveTo(8, 10);
        EXPECT_EQ(d.itemText(IDC_FORMULA), "");
      })
      .ok();
  dlg.doModal();
}

TEST_F(FormulaDialog, SaveAndLoadThroughTheFileField) {
  std::string path = files.folder() + "saved.sht";
  ui::test::GTestScript script;
  KvSSFormulaDlg dlg;
  AcutPrintCapture capture;
  script.modal(kTemplateId)
      .check([](ui::Dialog& d) { sheetOf(d).setData(7, 8, "kept"); })
      .type(IDC_FILE, path)
      .click(IDC_SAVE)
      .check([](ui::Dialog& d) { sheetOf(d).setData(7, 8, "changed"); })
      .click(IDC_LOAD)
      .check([](ui::Dialog& d) { EXPECT_EQ(sheetOf(d).getData(7, 8), "kept"); })
      .type(IDC_FILE, files.folder() + "missing/none.sht")
      .click(IDC_SAVE)
      .click(IDC_LOAD)
      .check([](ui::Dialog& d) { EXPECT_EQ(sheetOf(d).getData(7, 8), "kept"); })
      .ok();
  dlg.doModal();
  EXPECT_NE(capture.text().find("Save failed\n"), std::string::npos) << capture.text();
  EXPECT_NE(capture.text().find("Load failed\n"), std::string::npos) << capture.text();
}

TEST_F(FormulaDialog, AnswersOneFromTableCallAndCloses) {
  files.write("holes.csv", kHoles);
  ui::test::GTestScript script;
  grid::Sheet calling;
  calling.setMaxCols(2);
  calling.setMaxRows(2);
  const grid::ValueRecord args[] = {
      grid::ValueRecord::makeText("holes.csv"), grid::ValueRecord::makeText("BOLT"),
      grid::ValueRecord::makeText("hole"), grid::ValueRecord::makeText("M16"),
      grid::ValueRecord::makeCellRef(2, 2)};
  grid::ValueRecord result = grid::ValueRecord::makeInteger(1);
  KvSSFormulaDlg dlg;
  dlg.mode = KvSSFormulaDlg::kAnswerCall;
  dlg.callingSheet = &calling;
  dlg.callingFolder = Nx_String(files.folder());
  dlg.callResult = &result;
  dlg.callArgs = args;
  EXPECT_EQ(dlg.doModal(), ui::IDOK);
  EXPECT_TRUE(result.isEmpty());  // the form with a target leaves its own result empty
  EXPECT_EQ(calling.getData(2, 2), "18");
}

TEST_F(FormulaDialog, RemembersTheSizeTheUserGaveIt) {
  ui::test::GTestScript script;
  const ui::Size grown{1000, 700};
  script.modal(kTemplateId).resize(grown).ok();
  script.modal(kTemplateId).check([&](ui::Dialog& d) { EXPECT_EQ(d.rect().size(), grown); }).ok();
  KvSSFormulaDlg first;
  first.doModal();
  KvSSFormulaDlg second;
  second.doModal();
}
