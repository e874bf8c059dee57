// The writes of whole documents under every failure point of their file
// operations: a bill with its settings, a sheet's settings saved with the
// sheet, a designed dialog with its picture.
#include <gtest/gtest.h>

#include <ctime>
#include <memory>

#include "core/Nx_Settings.h"
#include "designer/Nx_DlgDesignerData.h"
#include "platform/arx/acutil.h"
#include "platform/ui/testing/GTestScript.h"
#include "spreadsheet/KvSSBillOutput.h"
#include "spreadsheet/KvSSDocSettings.h"
#include "spreadsheet/KvSSWindow.h"
#include "spreadsheet/KvSSWindowLauncher.h"
#include "tests/designer/DesignerTestLibrary.h"
#include "tests/reliability/FailureWalk.h"
#include "tests/spreadsheet/SettingsTestLibrary.h"
#include "tests/spreadsheet/SpreadTestHost.h"

namespace {

// A bill dated once and for all, so that every run writes the same bytes.
class FixedDateBill : public KvSSBillOutput {
 protected:
  Nx_Time now() const override {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 3;
    t.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&t));
  }
};

void closeWindow(KvSSBillOutput& bill) {
  if (KvSSWindow* w = bill.launcher().window()) w->requestClose();
}

}  // namespace

TEST(DocumentWriteFailure, BillWithItsSettingsDocument) {
  SettingsTestLibrary lib;
  ui::test::GTestScript script;
  lib.document("Bill", "marginTop|2|12;defaultTextHeight|2|11;varNames0|4|Job;varValues0|4|7;");
  const std::string settingsBefore = lib.read("Bill.kvd");
  std::filesystem::create_directories(lib / "Bills");
  const std::filesystem::path file = lib / "Bills/Hall 3.kvs";

  std::unique_ptr<FixedDateBill> bill;
  FailureWalk walk(file, "old bill", [&] {
    bill->onStartFeed();
    bill->onAddRow({"C1", "2", "HEA240", "4200"});
    bill->onAddSubTotals({"", "2", "", "4200"}, {}, false, 0);
    bill->onAddRow({"B1", "3", "IPE300", "6000"});
    EXPECT_EQ(bill->onEndFeed(), Acad::eOk);
    EXPECT_EQ(bill->saved(), bill->saveError().isEmpty()) << bill->saveError().str();
    return bill->saved();
  });
  // A fresh bill each time, its window opened before the failures begin.
  walk.prepare([&] {
    if (bill) closeWindow(*bill);
    bill = std::make_unique<FixedDateBill>();
    ASSERT_EQ(bill->init(file.c_str(), {"Pos", "Qty", "Section", "Length"}, {}, {3, 1, 3, 2},
                         "Bill", {"Hall"}, {"3"}),
              Acad::eOk);
  });
  EXPECT_GT(walked("bill save", walk.run()), 0);
  closeWindow(*bill);
  EXPECT_EQ(lib.read("Bill.kvd"), settingsBefore);  // read, never written
}

TEST(DocumentWriteFailure, SheetSettingsSavedWithTheSheet) {
  SettingsTestLibrary lib;
  std::filesystem::create_directories(lib / "Sheets");
  const std::filesystem::path file = lib / "Sheets/Plates.kvs";
  SpreadTestHost host;
  host.fillColumn(1, {"Width", "200"});
  KvSSDocSettings settings;
  settings.valid = true;
  settings.marginTop = 12;
  settings.headerFile = "Bills/header.txt";
  settings.varNames = {"Title"};
  settings.varValues = {"Plates"};
  ASSERT_TRUE(settings.writeToSheet(host.spread));
  FailureWalk walk(file, "old sheet", [&] {
    KvSSDocSettings saving = settings;
    const bool ok = saving.saveSheet(host.spread, file.c_str());
    EXPECT_EQ(ok, saving.lastError().isEmpty()) << saving.lastError().str();
    return ok;
  });
  EXPECT_GT(walked("sheet with its settings", walk.run()), 0);
}

TEST(DocumentWriteFailure, DesignedDialogWithItsPicture) {
  designer_test::Library lib;
  lib.write("Old.txt",
            "nrOfControls = 1\ntype0 = 2\ntopLeftX0 = 0.1\ntopLeftY0 = 0.1\n"
            "bottomRightX0 = 0.5\nbottomRightY0 = 0.2\ncontents0 = \"Thickness\"\n"
            "comboList0 = \"\"\n");
  lib.writeBmp("Old.bmp", 40, 30, 0x112233);
  lib.write("New.txt", "nrOfControls = 0\n");
  lib.writeBmp("New.bmp", 20, 10, 0x445566);
  AcutPrintCapture capture;
  FailureWalk walk({{lib / "New.txt", lib.read("New.txt")}, {lib / "New.bmp", lib.read("New.bmp")}},
                   [&] {
                     Nx_DlgDesignerData design;
                     EXPECT_TRUE(design.readFromFile(lib / "Old.txt", true));
                     return design.writeToFile(lib / "New.txt");
                   });
  EXPECT_GT(walked("designed dialog and picture", walk.run()), 0);
}
