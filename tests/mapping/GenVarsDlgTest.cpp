#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/SSExports.h"
#include "core/KvAutoStandardsData.h"
#include "core/Nx_Settings.h"
#include "mapping/KvGenVarsDlg.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_GENVARS.h"

using namespace ui;
using namespace dlg_genvars;

namespace fs = std::filesystem;

namespace {
// A library with drawings under "Macros" and one drawing outside it.
class GenVarsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("ss-genvars-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "library/Macros/Halls");
    fs::create_directories(root / "library/Macros/Sub");
    fs::create_directories(root / "elsewhere");
    std::ofstream(root / "library/Macros/Halls/B.json") << "{}";
    std::ofstream(root / "elsewhere/C.json") << "{}";
    savedLib = gSettings.libDir;
    gSettings.setLibDir((root / "library").string().c_str());
  }
  void TearDown() override {
    gSettings.libDir = savedLib;
    fs::remove_all(root);
  }
  std::string path(const char* relative) const { return (root / relative).string(); }
  static KvGenVarsDlg& dlg(Dialog& d) { return static_cast<KvGenVarsDlg&>(d); }
  // Selects a row of a table as the user's click on its first cell does.
  static void selectRow(Dialog& d, int table, int row) {
    dlg(d).sheet(table).userClickCell(1, row);
  }
  fs::path root;
  Nx_String savedLib;
};

KvAutoStandardsData sample() {
  KvAutoStandardsData d;
  d.names = {"gen_Grade", "gen_Grade", "gen_Gap"};
  d.values = {"8.8", "10.9", "2"};
  d.drawings = {"A.json", "Bridges", ""};
  d.groupVarNames = {"gen_Plate"};
  d.groupVarValues = {"S355"};
  d.groupVarGroups = {"Endplate"};
  d.groupVarDrawings = {"A.json"};
  return d;
}
}  // namespace

TEST_F(GenVarsDialog, EmptyListsShowOneEmptyRowEachAndStoreOneRowOnOk) {
  test::GTestScript script;
  KvAutoStandardsData data;
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(dlg(d).sheet(KvGenVarsDlg::kFirst).getMaxRows(), 1);
        EXPECT_EQ(dlg(d).sheet(KvGenVarsDlg::kSecond).getMaxRows(), 1);
        EXPECT_EQ(dlg(d).sheet(KvGenVarsDlg::kFirst).getMaxCols(), 4);
        EXPECT_EQ(dlg(d).sheet(KvGenVarsDlg::kSecond).getMaxCols(), 5);
      })
      .ok();
  ASSERT_TRUE(StartDlgGenVars(data));
  EXPECT_EQ(data.names, (Nx_StringArray{""}));
  EXPECT_EQ(data.drawings, (Nx_StringArray{""}));
  EXPECT_EQ(data.groupVarGroups, (Nx_StringArray{""}));
  EXPECT_EQ(data.groupVarDrawings, (Nx_StringArray{""}));
}

TEST_F(GenVarsDialog, EqualNamesAreMergedOnScreenButStaySeparateRows) {
  test::GTestScript script;
  KvAutoStandardsData data = sample();
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        const grid::Sheet* s = dlg(d).sheet(KvGenVarsDlg::kFirst).sheet();
        int col = 0, row = 0, cols = 0, rows = 0;
        ASSERT_TRUE(s->getCellSpan(1, 2, col, row, cols, rows));
        EXPECT_EQ(row, 1);
        EXPECT_EQ(rows, 2);
        EXPECT_FALSE(s->getCellSpan(1, 3, col, row, cols, rows));
        // The "..." column after the drawings, under one header with them.
        EXPECT_EQ(dlg(d).sheet(KvGenVarsDlg::kFirst).getCellType(4, 1),
                  dlg(d).sheet(KvGenVarsDlg::kFirst).getCellType(4, 3));
        ASSERT_TRUE(s->getCellSpan(3, 0, col, row, cols, rows));
        EXPECT_EQ(cols, 2);
      })
      .ok();
  ASSERT_TRUE(StartDlgGenVars(data));
  EXPECT_EQ(data, sample());
}

TEST_F(GenVarsDialog, ChosenDrawingsUnderMacrosAreAppendedAndOthersDropped) {
  test::GTestScript script;
  KvAutoStandardsData data = sample();
  script.modal(kTemplateId)
      .check([](Dialog& d) { dlg(d).sheet(KvGenVarsDlg::kFirst).userClickCell(4, 1); })
      .check([](Dialog& d) { dlg(d).sheet(KvGenVarsDlg::kFirst).userClickCell(4, 1); })
      .check([](Dialog& d) { dlg(d).sheet(KvGenVarsDlg::kSecond).userClickCell(5, 1); })
      .check([](Dialog& d) { dlg(d).sheet(KvGenVarsDlg::kFirst).userClickCell(4, 3); })
      .ok();
  script.chooseFiles({path("library/Macros/Halls/B.json"), path("elsewhere/C.json")});
  script.chooseFiles({path("library/Macros/Halls/B.json")});  // twice is listed twice
  script.chooseFiles({path("library/Macros/Sub")});
  script.cancelFileDialog();
  ASSERT_TRUE(StartDlgGenVars(data));
  EXPECT_EQ(data.drawings[0], "A.json;Halls/B.json;Halls/B.json");
  EXPECT_EQ(data.groupVarDrawings[0], "A.json;Sub");
  EXPECT_EQ(data.drawings[2], "");
}

TEST_F(GenVarsDialog, RowOperationsWorkOnTheSelectedRow) {
  test::GTestScript script;
  KvAutoStandardsData data = sample();
  script.modal(kTemplateId)
      .check([](Dialog& d) { selectRow(d, KvGenVarsDlg::kFirst, 3); })
      .click(IDC_FIRST_UP)  // gen_Gap moves above the second gen_Grade
      .check([](Dialog& d) { selectRow(d, KvGenVarsDlg::kFirst, 1); })
      .click(IDC_FIRST_REMOVE)
      .check([](Dialog& d) { selectRow(d, KvGenVarsDlg::kSecond, 1); })
      .click(IDC_SECOND_ADD)
      .ok();
  ASSERT_TRUE(StartDlgGenVars(data));
  EXPECT_EQ(data.names, (Nx_StringArray{"gen_Gap", "gen_Grade"}));
  EXPECT_EQ(data.values, (Nx_StringArray{"2", "10.9"}));
  EXPECT_EQ(data.groupVarNames, (Nx_StringArray{"", "gen_Plate"}));
  EXPECT_EQ(data.groupVarDrawings, (Nx_StringArray{"", "A.json"}));
}

TEST_F(GenVarsDialog, AddWithoutSelectedRowAppendsAndCancelKeepsTheRecord) {
  test::GTestScript script;
  KvAutoStandardsData data = sample();
  script.modal(kTemplateId)
      .click(IDC_FIRST_ADD)
      .check([](Dialog& d) { EXPECT_EQ(dlg(d).sheet(KvGenVarsDlg::kFirst).getMaxRows(), 4); })
      .cancel();
  EXPECT_FALSE(StartDlgGenVars(data));
  EXPECT_EQ(data, sample());
}
