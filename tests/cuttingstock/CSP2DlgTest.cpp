#include <gtest/gtest.h>

#include <filesystem>

#include "common/SSExports.h"
#include "core/CspListFiles.h"
#include "core/TimeHelpers.h"
#include "platform/base/AtomicFile.h"
#include "platform/ui/DialogSizeMemory.h"
#include "platform/ui/testing/GTestScript.h"
#include "spreadsheet/Nx_Spread.h"
#include "tests/cuttingstock/CspTestLibrary.h"

using namespace ui;
namespace fs = std::filesystem;

namespace {
enum {
  kTemplate = 8122,
  kValueTemplate = 8950,
  kValueEdit = 1000,
  kInfoTemplate = 9100,
  kInfoText = 1000,
  kGroupList = 9036,
  kNewGroup = 8590,
  kDeleteGroup = 8591,
  kPartsGrid = 1321,
  kShopGrid = 1322,
  kBuyGrid = 1323,
  kPartsInsert = 8601,
  kShopOpen = 8600,
  kShopSave = 8602,
  kBuyOpen = 8603,
  kAction = 8592,
  kAskNames = 9074,
};

Nx_Spread& gridOf(Dialog& d, int id) {
  return *d.itemAs<Nx_Spread>(id);
}

// The grid's rows as the user sees them.
std::vector<Nx_StringArray> shown(Dialog& d, int id) {
  std::vector<Nx_StringArray> rows;
  Nx_Spread& g = gridOf(d, id);
  for (int r = 1; r <= g.getMaxRows(); ++r) {
    Nx_StringArray row;
    g.getRowValues(r, row);
    rows.push_back(row);
  }
  return rows;
}

std::string shopLine(const char* profile, const char* length, const char* count) {
  return std::string(profile) + "\xBF" + length + "\xBF" + count + "\n";
}
}  // namespace

// Each test with its own library folder and remembered sizes.
class CSP2Dialog : public ::testing::Test {
 protected:
  CspTestLibrary lib;
  test::GTestScript script;
};

TEST_F(CSP2Dialog, ShowsTheFirstGroupAndStoresEachGroupWhenLeft) {
  DlgCSP2Data data = sampleLists();
  script.modal(kTemplate)
      .check([](Dialog& d) {
        EXPECT_EQ(d.listCount(kGroupList), 2);
        EXPECT_EQ(d.listSelection(kGroupList), 0);
        auto parts = shown(d, kPartsGrid);
        ASSERT_EQ(parts.size(), 2u);
        EXPECT_EQ(parts[1], (Nx_StringArray{"HEA200", "1450", "6", "B2"}));
        Nx_StringArray headings;
        gridOf(d, kBuyGrid).getColumnHeaders(headings);
        EXPECT_EQ(headings, (Nx_StringArray{"Profile", "Length (mm)", "Price per metre"}));
        EXPECT_TRUE(shown(d, kBuyGrid).empty());
        gridOf(d, kPartsGrid).setCellText(2, 1, "3000");
      })
      .pick(kGroupList, "Columns")
      .check([](Dialog& d) {
        auto parts = shown(d, kPartsGrid);
        ASSERT_EQ(parts.size(), 1u);
        EXPECT_EQ(parts[0][3], "C1");
        EXPECT_EQ(shown(d, kBuyGrid).size(), 1u);
      })
      .pick(kGroupList, "Beams")
      .check([](Dialog& d) { EXPECT_EQ(shown(d, kPartsGrid)[0][1], "3000"); })
      .ok();
  ASSERT_TRUE(StartDlgCSP2(data));
  // Stored rows of a group go to the end of the arrays, in grid order.
  const auto& parts = data.rows[DlgCSP2Data::kParts];
  ASSERT_EQ(parts.length(), 3);
  EXPECT_EQ(data.rowGroupIds[DlgCSP2Data::kParts][0], 9);
  EXPECT_EQ(parts[1][1], "3000");
  EXPECT_EQ(parts[2][3], "B2");
}

TEST_F(CSP2Dialog, CancelLeavesTheRecordAsItWas) {
  DlgCSP2Data data = sampleLists();
  const DlgCSP2Data before = data;
  script.modal(kTemplate).click(kPartsInsert).click(kDeleteGroup).cancel();
  EXPECT_FALSE(StartDlgCSP2(data));
  EXPECT_TRUE(data == before);
}

TEST_F(CSP2Dialog, NewGroupsGetTheirOwnIdEvenUnderATakenName) {
  DlgCSP2Data data = sampleLists();
  script.modal(kTemplate)
      .click(kNewGroup)
      .check([](Dialog& d) {
        EXPECT_EQ(d.listCount(kGroupList), 3);
        EXPECT_EQ(d.listSelection(kGroupList), 2);
        EXPECT_TRUE(shown(d, kPartsGrid).empty());
      })
      .click(kPartsInsert)
      .check([](Dialog& d) {
        gridOf(d, kPartsGrid).setRowValues(1, {"IPE240", "5000", "1", "N1"}, false);
      })
      .ok();
  script.modal(kValueTemplate)
      .check([](Dialog& d) { EXPECT_EQ(d.itemText(kValueEdit), "New"); })
      .type(kValueEdit, "Beams")
      .ok();
  ASSERT_TRUE(StartDlgCSP2(data));
  EXPECT_EQ(data.groupNames, (Nx_StringArray{"Beams", "Columns", "Beams"}));
  EXPECT_EQ(data.groupIds[2], 10);
  Nx_Array<Nx_StringArray> rows;
  data.getGroupRows(DlgCSP2Data::kParts, 10, rows);
  ASSERT_EQ(rows.length(), 1);
  EXPECT_EQ(rows[0][3], "N1");
}

TEST_F(CSP2Dialog, DeletingTheOnlyGroupEmptiesEveryGrid) {
  DlgCSP2Data data = sampleLists();
  data.removeGroup(1);
  script.modal(kTemplate)
      .click(kDeleteGroup)
      .check([](Dialog& d) {
        EXPECT_EQ(d.listCount(kGroupList), 0);
        for (int id : {kPartsGrid, kShopGrid, kBuyGrid}) EXPECT_TRUE(shown(d, id).empty());
      })
      .click(kPartsInsert)  // rows typed without a group are not kept
      .ok();
  ASSERT_TRUE(StartDlgCSP2(data));
  EXPECT_TRUE(data.groupIds.isEmpty());
  for (int l = 0; l < DlgCSP2Data::kListCount; ++l) EXPECT_TRUE(data.rows[l].isEmpty());
}

TEST_F(CSP2Dialog, SavedListsOpenAgainWithTabsAndSemicolonsWhole) {
  DlgCSP2Data data = sampleLists();
  data.rows[DlgCSP2Data::kShop][0][0] = "HEA\t200; S355";
  script.modal(kTemplate)
      .click(kShopSave)
      .check([](Dialog& d) { gridOf(d, kShopGrid).setCellText(2, 1, "1"); })
      .click(kShopOpen)
      .check([](Dialog& d) {
        auto rows = shown(d, kShopGrid);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0], (Nx_StringArray{"HEA\t200; S355", "12000", "2"}));
      })
      .ok();
  script.chooseFile(lib.group("Beams") + "/list");  // saved as list.shp
  script.chooseFile(lib.group("Beams") + "/list.shp");
  ASSERT_TRUE(StartDlgCSP2(data));
  EXPECT_EQ(lib.read("Cutting Stock/Beams/list.shp"), shopLine("HEA\t200; S355", "12000", "2"));
}

TEST_F(CSP2Dialog, OpeningAFileWithBadLinesNamesTheFileAndLine) {
  lib.write("Cutting Stock/Beams/a.buy",
            "HEA200\xBF"
            "12000\xBF"
            "55\nHEA200\xBF"
            "6000\n\nHEA200\xBFlong\xBF"
            "1\n");
  DlgCSP2Data data = sampleLists();
  script.modal(kTemplate).click(kBuyOpen).ok();
  script.chooseFile(lib.group("Beams") + "/a.buy");
  script.answer(IDOK, "a.buy: line 2: a short line");
  ASSERT_TRUE(StartDlgCSP2(data));
  Nx_Array<Nx_StringArray> rows;
  data.getGroupRows(DlgCSP2Data::kBuy, 4, rows);
  EXPECT_EQ(rows.length(), 3);  // the rows are loaded as they are; the empty line is left out
}

TEST_F(CSP2Dialog, RestrictedModeSavesEveryGroupsStockAsTheNextStockFile) {
  for (const char* name : {"Stock1.shp", "Stock7.shp", "Other.shp"})
    lib.write("Cutting Stock/Beams/" + std::string(name), "old\n");
  DlgCSP2Data data = sampleLists();
  data.restrictedMode = true;
  data.rows[DlgCSP2Data::kShop][0][2] = "a\xBFz";
  script.modal(kTemplate)
      .check([](Dialog& d) {
        for (int id : {kNewGroup, kDeleteGroup, kPartsGrid, kPartsInsert, kBuyGrid, kBuyOpen})
          EXPECT_FALSE(d.isItemEnabled(id)) << id;
        for (int id : {kGroupList, kShopGrid, kShopOpen, kShopSave, kAction, kAskNames})
          EXPECT_TRUE(d.isItemEnabled(id) && d.isItemShown(id)) << id;
        EXPECT_EQ(d.itemText(kAction), "Save the stock lists of all groups");
      })
      .click(kAction)
      .ok();
  ASSERT_TRUE(StartDlgCSP2(data));
  EXPECT_EQ(lib.read("Cutting Stock/Beams/Stock8.shp"), shopLine("HEA200", "12000", "a\xBFz"));
  EXPECT_EQ(lib.read("Cutting Stock/Columns/Stock1.shp"), "");
  EXPECT_TRUE(fs::exists(lib.group("Columns") + "/Stock1.shp"));

  // Read back, the 0xBF inside the cell splits it.
  Nx_Array<Nx_StringArray> rows;
  ASSERT_TRUE(readCspListFile((lib.group("Beams") + "/Stock8.shp").c_str(), rows));
  EXPECT_EQ(rows[0], (Nx_StringArray{"HEA200", "12000", "a", "z"}));
}

TEST_F(CSP2Dialog, TheCheckBoxAsksForEachNameAndIsHiddenOutsideRestrictedMode) {
  DlgCSP2Data data = sampleLists();
  script.modal(kTemplate).check([](Dialog& d) { EXPECT_FALSE(d.isItemShown(kAskNames)); }).ok();
  ASSERT_TRUE(StartDlgCSP2(data));
  data.restrictedMode = true;
  script.modal(kTemplate).click(kAskNames).click(kAction).ok();
  script.chooseFile(lib.group("Beams") + "/mine.shp");
  script.cancelFileDialog();
  ASSERT_TRUE(StartDlgCSP2(data));
  EXPECT_TRUE(fs::exists(lib.group("Beams") + "/mine.shp"));
  EXPECT_FALSE(fs::exists(lib.group("Columns") + "/Stock1.shp"));
}

TEST_F(CSP2Dialog, AFailedSaveIsReportedAndLeavesTheOldFile) {
  lib.write("Cutting Stock/Beams/keep.shp", "old\n");
  DlgCSP2Data data = sampleLists();
  script.modal(kTemplate)
      .check([](Dialog&) { base::setAtomicWriteFailureAfter(3); })
      .click(kShopSave)
      .check([](Dialog&) { base::setAtomicWriteFailureAfter(-1); })
      .ok();
  script.chooseFile(lib.group("Beams") + "/keep.shp");
  script.answer(IDOK, "keep.shp");
  ASSERT_TRUE(StartDlgCSP2(data));
  base::setAtomicWriteFailureAfter(-1);
  EXPECT_EQ(lib.read("Cutting Stock/Beams/keep.shp"), "old\n");
}

TEST_F(CSP2Dialog, LoadingTheNewestListsReportsEveryGroup) {
  lib.write("Cutting Stock/Beams/Stock2.shp", shopLine("HEA200", "6000", "3"));
  DlgCSP2Data data = sampleLists();
  Nx_Time modified;
  ASSERT_TRUE(ObjectExportGetFileTime((lib.group("Beams") + "/Stock2.shp").c_str(), modified));
  std::string dashes(116, '-');
  std::string expected = dashes + "\nLoaded the list saved on " +
                         formatTime(modified, "%d %B, %Y (%H:%M)").str() +
                         " for group \"Beams\" as stock list from \"Stock2.shp\" \n\n"
                         "No purchase list found  for group \"Beams\".\n" +
                         dashes +
                         "\nNo stock list found  for group \"Columns\".\n\n"
                         "No purchase list found  for group \"Columns\".\n" +
                         dashes;
  script.modal(kTemplate)
      .click(kAction)
      .check([](Dialog& d) {
        auto rows = shown(d, kShopGrid);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][1], "6000");
      })
      .pick(kGroupList, "Columns")
      .check([](Dialog& d) { EXPECT_EQ(shown(d, kBuyGrid).size(), 1u); })
      .ok();
  script.modal(kInfoTemplate)
      .check([&](Dialog& d) {
        EXPECT_EQ(d.text(), "Newest lists loaded");
        EXPECT_EQ(d.itemText(IDOK), "Close");
        EXPECT_EQ(d.itemText(kInfoText), expected);
      })
      .ok();
  ASSERT_TRUE(StartDlgCSP2(data));
  Nx_Array<Nx_StringArray> rows;
  data.getGroupRows(DlgCSP2Data::kBuy, 9, rows);
  EXPECT_EQ(rows.length(), 1);  // no buy file: the group's purchase rows stay
}

TEST_F(CSP2Dialog, TheSizeIsRememberedAndNeverBelowTheTemplate) {
  DlgCSP2Data data = sampleLists();
  const Size kLarge{1100, 520};  // larger than the template on every backend
  Size first;
  Rect action;
  script.modal(kTemplate)
      .check([&](Dialog& d) {
        first = d.rect().size();
        action = d.item(kAction)->rect();
      })
      .resize(kLarge)
      .check([&](Dialog& d) {
        // The three grids share the gain, their buttons follow.
        Rect parts = d.item(kPartsGrid)->rect(), buy = d.item(kBuyGrid)->rect();
        EXPECT_NEAR(parts.width(), buy.width(), 1);
        EXPECT_EQ(d.item(kAction)->rect(), action.offset(0, kLarge.height - first.height));
        EXPECT_GT(d.item(kShopOpen)->rect().left, parts.right);
      })
      .ok();
  script.modal(kTemplate)
      .check([&](Dialog& d) { EXPECT_EQ(d.rect().size(), kLarge); })
      .resize({100, 80})
      .check([&](Dialog& d) { EXPECT_EQ(d.rect().size(), first); })
      .cancel();
  ASSERT_TRUE(StartDlgCSP2(data));
  EXPECT_FALSE(StartDlgCSP2(data));
  Rect remembered;
  ASSERT_TRUE(DialogSizeMemory::get("DLG_OPTIMIZECSP2", remembered));
  EXPECT_EQ(remembered.size(), first);
}
