#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "core/bill/BillImage.h"
#include "core/bill/Nx_Bill.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "platform/arx/dbmain.h"
#include "platform/ui/testing/GTestScript.h"
#include "spreadsheet/KvSSBillOutput.h"
#include "spreadsheet/KvSSDocSettings.h"
#include "spreadsheet/KvSSWindow.h"
#include "spreadsheet/KvSSWindowLauncher.h"
#include "spreadsheet/Nx_Spread.h"
#include "tests/spreadsheet/SettingsTestLibrary.h"

namespace {

constexpr int kPictureType = 8;

// A bill dated 3 March 2024, 14:05 local time.
class DatedBill : public KvSSBillOutput {
 protected:
  Nx_Time now() const override {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 3;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&t));
  }
};

struct BillFixture : ::testing::Test {
  Acad::ErrorStatus start(const Nx_StringArray& captions, const AcArray<int>& kinds,
                          const char* file = "bill.kvs") {
    return bill.init((lib / file).c_str(), captions, {}, kinds, "Bill", {"Job"}, {"17"});
  }
  // No window is left open for the tests after this one.
  void TearDown() override {
    if (KvSSWindow* w = bill.launcher().window()) w->requestClose();
  }
  Nx_Spread& sheet() { return *bill.launcher().getSheet(); }
  int rows() { return sheet().getMaxRows(); }

  SettingsTestLibrary lib;
  ui::test::GTestScript script;
  DatedBill bill;
};

TEST_F(BillFixture, GrowsInStepsOfAHundredAndTrimsTheSpareRows) {
  ASSERT_EQ(start({"Pos", "Qty"}, {3, 1}), Acad::eOk);
  bill.onStartFeed();
  for (int i = 1; i <= 150; ++i) {
    bill.onAddRow({Nx_String(i), "2"});
    if (i == 1) EXPECT_EQ(rows(), 101);
    if (i == 101) EXPECT_EQ(rows(), 101);
    if (i == 102) EXPECT_EQ(rows(), 201);
  }
  ASSERT_EQ(bill.onEndFeed(), Acad::eOk);
  EXPECT_EQ(rows(), 150);
  // Off while the rows came in, the document's automatic recalculation is back.
  EXPECT_TRUE(sheet().sheet()->getBool(grid::kOptionAutoCalc));
  Nx_String text;
  sheet().getCellText(1, 150, text, Nx_Spread::kValue);
  EXPECT_EQ(text, "150");
  // Grown rows were copies of the last one: cleared before use.
  sheet().getCellText(2, 149, text, Nx_Spread::kValue);
  EXPECT_EQ(text, "2");
  EXPECT_TRUE(bill.saved());
}

TEST_F(BillFixture, RowsTakeTheCellTypesOfTheirColumnKinds) {
  ASSERT_EQ(start({"Qty", "Length", "Name", "Note"}, {1, 2, 3, 0}), Acad::eOk);
  bill.onAddRow({"3", "1234.56", "Beam", "x", "extra"});
  grid::Sheet& s = *sheet().sheet();
  EXPECT_EQ(s.maxCols(), 5);
  EXPECT_EQ(s.getCellType(1, 1).kind, grid::CellKind::Number);
  EXPECT_EQ(s.getCellType(1, 1).decimals, 0);
  EXPECT_EQ(s.getCellType(2, 1).decimals, 1);
  EXPECT_EQ(s.getCellType(3, 1).kind, grid::CellKind::Edit);
  // The column past the captions has no kind and keeps what the grown sheet gave it.
  EXPECT_NE(s.getCellType(5, 1).kind, grid::CellKind::Number);
  EXPECT_EQ(s.getValue(5, 1), "extra");
  EXPECT_EQ(s.getValue(2, 1), "1234.6");
}

TEST_F(BillFixture, SubtotalsHighlightOnlyTheirValues) {
  ASSERT_EQ(start({"A", "B", "C"}, {3, 1, 3}), Acad::eOk);
  bill.onAddRow({"a", "5", "c"});
  bill.onAddSubTotals({"", "12", ""}, {}, false, 0);
  grid::Sheet& s = *sheet().sheet();
  std::uint32_t back = 0, fore = 0;
  s.getColor(2, 2, back, fore);
  EXPECT_EQ(back, 0xFFD1A4u);
  EXPECT_EQ(fore, grid::kDefaultColor);
  EXPECT_EQ(s.getBorder(2, 2).type, 0x1Fu);
  s.getColor(1, 2, back, fore);
  EXPECT_NE(back, 0xFFD1A4u);
  s.getColor(3, 2, back, fore);
  EXPECT_NE(back, 0xFFD1A4u);
  s.getColor(2, 1, back, fore);
  EXPECT_NE(back, 0xFFD1A4u);
}

// A subtotal that is the last row before the sheet grows lends neither its
// highlight nor its border to the hundred rows grown after it.
TEST_F(BillFixture, GrownRowsDoNotInheritASubtotalsHighlight) {
  ASSERT_EQ(start({"A", "B"}, {3, 1}), Acad::eOk);
  for (int i = 1; i <= 100; ++i) bill.onAddRow({"a", "1"});
  bill.onAddSubTotals({"", "100"}, {}, false, 0);
  ASSERT_EQ(rows(), 101);
  bill.onAddRow({"b", "2"});
  ASSERT_EQ(rows(), 201);
  grid::Sheet& s = *sheet().sheet();
  std::uint32_t back = 0, fore = 0;
  s.getColor(2, 101, back, fore);
  EXPECT_EQ(back, 0xFFD1A4u);
  for (int row : {102, 150, 201}) {
    s.getColor(2, row, back, fore);
    EXPECT_EQ(back, grid::kDefaultColor) << row;
    EXPECT_EQ(s.getBorder(2, row).type, 0u) << row;
    EXPECT_EQ(s.getValue(2, row), row == 102 ? "2" : "") << row;
  }
  // The rows still read as the columns' kinds and carry the sheet's font.
  EXPECT_EQ(s.getCellType(2, 102).kind, grid::CellKind::Number);
  EXPECT_EQ(s.getFont(2, 150).face, sheet().fontName().str());
  ASSERT_EQ(bill.onEndFeed(), Acad::eOk);
  EXPECT_EQ(rows(), 102);
}

TEST_F(BillFixture, TheVariablesStartWithDateTitleAndFileName) {
  ASSERT_EQ(start({"A"}, {3}, "Hall 3\xBFPlates.kvs"), Acad::eOk);
  bill.onAddRow({"a"});
  ASSERT_EQ(bill.onEndFeed(), Acad::eOk);
  KvSSDocSettings s;
  s.readFromSheet(sheet());
  ASSERT_EQ(s.varNames, (Nx_StringArray{"Date", "Title", "BillFilename", "Job"}));
  EXPECT_EQ(s.varValues[0], "03 March, 2024 (14:05)");
  EXPECT_EQ(s.varValues[1], "Plates");
  EXPECT_EQ(s.varValues[2], Nx_String(lib / "Hall 3\xBFPlates.kvs"));
  EXPECT_EQ(s.varValues[3], "17");
  EXPECT_EQ(KvSSBillOutput::titleOf("/a/b/Frames.kvs"), "Frames");
  EXPECT_EQ(KvSSBillOutput::titleOf("/a/x\xBFy\xBFz.kvs"), "z");
}

TEST_F(BillFixture, WithoutAWindowNothingIsWrittenAndTheEndFails) {
  DatedBill idle;
  idle.onAddRow({"a"});
  idle.onAddSubTotals({"1"}, {}, false, 0);
  EXPECT_EQ(idle.onEndFeed(), Acad::eInvalidInput);
}

TEST_F(BillFixture, TheSavedBillReloadsWithItsRowsAndSettings) {
  lib.document("Bill", "marginTop|2|11;defaultFont|4|DejaVu Sans;defaultTextHeight|2|12;");
  ASSERT_EQ(start({"Pos", "Qty"}, {3, 1}), Acad::eOk);
  bill.onAddRow({"P1", "4"});
  bill.onAddSubTotals({"", "4"}, {}, false, 0);
  ASSERT_EQ(bill.onEndFeed(), Acad::eOk);
  ASSERT_TRUE(bill.saved());
  EXPECT_FALSE(sheet().sheet()->getBool(ui::kSpreadOptionChanged));

  KvSSWindowLauncher other;
  ASSERT_TRUE(other.open());
  std::string error;
  ASSERT_TRUE(other.getSheet()->sheet()->loadFromFile(lib / "bill.kvs", error)) << error;
  grid::Sheet& back = *other.getSheet()->sheet();
  EXPECT_EQ(back.maxRows(), 2);
  EXPECT_EQ(back.getValue(1, 0), "Pos");
  EXPECT_EQ(back.getValue(1, 1), "P1");
  EXPECT_EQ(back.getValue(2, 2), "4");
  KvSSDocSettings s;
  s.readFromSheet(*other.getSheet());
  EXPECT_EQ(s.marginTop, 11);
  // The document's font on every row, those grown after it was applied too.
  EXPECT_EQ(back.getFont(2, 2).face, "DejaVu Sans");
  EXPECT_EQ(back.getFont(2, 2).height, 12);
  EXPECT_EQ(s.varNames[0], "Date");
  other.window()->requestClose();
}

TEST_F(BillFixture, APartPictureGoesUnderItsLineAndStaysWithTheBill) {
  gSectionTables.loadFolder(SS_SOURCE_DIR "/examples/library/prof/");
  lib.write("list.csv", "Pos:text,Section:section,Length:length\nB1,IPE200,3450\n");
  Nx_Bill list;
  Nx_StringArray faults;
  ASSERT_TRUE(list.readList((lib / "list.csv").c_str(), faults));
  AcDbDatabase db;
  AcTransaction tr(db);
  bill.setVars(-1, 0, 0, true, true, &list, &tr);
  ASSERT_EQ(start(list.captions, list.kinds), Acad::eOk);
  ASSERT_EQ(list.feed(bill), Acad::eOk);
  EXPECT_FALSE(isBMPDialogOpen());
  grid::Sheet& s = *sheet().sheet();
  ASSERT_EQ(s.maxRows(), 2);
  EXPECT_EQ(s.getValue(2, 1), "IPE200");
  EXPECT_EQ(s.cellTypeCode(2, 2), kPictureType);
  EXPECT_DOUBLE_EQ(s.rowHeight(2), 72);
  std::string picture = s.getCellType(2, 2).text;
  EXPECT_TRUE(std::filesystem::exists(picture)) << picture;
  EXPECT_EQ(picture.rfind(lib / "bill pictures/", 0), 0u) << picture;
}

}  // namespace
