// No exception leaves an exported function: one thrown while a dialog is
// built or run is reported once and the call answers as a cancelled one.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "common/KvExportGuard.h"
#include "common/SSExports.h"
#include "dialogs/KvDlgCis2Data.h"
#include "dialogs/KvGridDlgData.h"
#include "platform/arx/acutil.h"
#include "platform/ui/testing/GTestScript.h"

TEST(ExportBoundary, AnEscapingExceptionBecomesTheFailedAnswer) {
  AcutPrintCapture out;
  EXPECT_EQ(guardExport("Answer", 7, []() -> int { throw std::runtime_error("no room"); }), 7);
  EXPECT_EQ(guardExport("Answer", 7, [] { return 3; }), 3);
  bool ran = false;
  guardExport("Nothing", [&] {
    ran = true;
    throw 42;
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(out.text(), "*Error* Answer: no room\n*Error* Nothing: unexpected failure\n");
}

TEST(ExportBoundary, DialogsThatFailWhileRunningAnswerCancelled) {
  ui::test::GTestScript script;
  AcutPrintCapture out;
  auto outOfMemory = [](ui::Dialog&) { throw std::bad_alloc(); };

  KvGridDlgData grid;
  grid.firstLabel = "A";
  script.modal().type(1371, "changed").check(outOfMemory);
  EXPECT_FALSE(StartDlgGrid(grid));
  EXPECT_EQ(grid.firstLabel, "A");

  KvDlgCis2Data cis2;
  script.modal().check(outOfMemory);
  EXPECT_FALSE(StartDlgCis2Info(cis2));

  EXPECT_TRUE(script.done());
  EXPECT_NE(out.text().find("*Error* StartDlgGrid: std::bad_alloc"), std::string::npos)
      << out.text();
  EXPECT_NE(out.text().find("*Error* StartDlgCis2Info: "), std::string::npos) << out.text();
}
