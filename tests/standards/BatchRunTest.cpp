// Runs inside a FileMemoScope, as the workers of `eval --all` make them: the
// library's files are read and parsed once, and every run still starts from
// the sheets as their files hold them.
#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "core/macro/Nx_Module.h"
#include "platform/base/FileMemo.h"
#include "tests/standards/StandardsLibrary.h"

namespace {

class BatchRun : public StandardsLibrary {
 protected:
  // A parent that hands Height / 10 bolts to its child: Width = Height / 10 * 2 * 2.
  void writePlateWithChild() {
    writePlateOverBolts(
        {"Bolts = Height / 10", "Count = 2", "CallChild(\"Bolts.kvs\", Bolts, Count, Width)"});
  }
  // Sets the macro's Height and runs the sheet again on a fresh request.
  bool runWithHeight(double height) {
    Nx_Module* m = nullptr;
    macro->getMacroWrite()->findModuleWrite("Plate", m);
    m->findConstrVar("Height")->value = height;
    macro->getMacroData(data);
    request = KvDlgStandardsData();
    if (request.initialize(macro, "Plate", "K1", &data) != Acad::eOk) return false;
    request.transaction = tr.get();
    request.genVarNames = {"gen_Step", "gen_Grade"};
    request.genVarValues = {"5", "355"};
    return StartDlgStandardsSS(request);
  }
};

TEST_F(BatchRun, EachRunStartsFromTheSheetsAsLoadedNotAsTheRunBeforeLeftThem) {
  writePlateWithChild();
  openMacro("Plate", "K1");
  base::FileMemoScope memo;
  for (double height : {100.0, 50.0, 120.0, 50.0}) {
    ASSERT_TRUE(runWithHeight(height)) << height;
    EXPECT_EQ(variable("Plate", "Width"), height / 10 * 4) << height;
    EXPECT_EQ(valueOf(request.varCells, "Bolts"), Nx_String(static_cast<int>(height / 10)));
  }
}

TEST_F(BatchRun, TheFilesAreReadOncePerScopeAndAgainAfterIt) {
  writePlateWithChild();
  openMacro("Plate", "K1");
  {
    base::FileMemoScope memo;
    ASSERT_TRUE(runWithHeight(100));
    EXPECT_EQ(variable("Plate", "Width"), 40.0);
    // Within the batch the library is taken as it was at its first use.
    writeSheet("Childs/Bolts.kvs", {{"Input"},
                                    {"Int Size"},
                                    {"Int Count"},
                                    {"Output"},
                                    {"Double Total"},
                                    {"Calc"},
                                    {"Total = Size * Count"}});
    ASSERT_TRUE(runWithHeight(100));
    EXPECT_EQ(variable("Plate", "Width"), 40.0);
  }
  ASSERT_TRUE(runWithHeight(100));
  EXPECT_EQ(variable("Plate", "Width"), 20.0);
}

TEST_F(BatchRun, AMissingChildIsReportedByEveryRun) {
  writePlateWithChild();
  std::filesystem::remove(standards() / "Childs" / "Bolts.kvs");
  openMacro("Plate", "K1");
  base::FileMemoScope memo;
  for (int run = 0; run < 2; ++run) {
    runWithHeight(100);
    EXPECT_FALSE(request.diagnostics.empty()) << run;
    EXPECT_EQ(variable("Plate", "Width"), 0.0) << run;
  }
}

TEST(FileMemo, KeepsOnlyWithinAScopeAndForgetsWhenTheOutermostEnds) {
  base::filememo::keep("k", std::make_shared<const int>(1));
  EXPECT_FALSE(base::filememo::find("k"));
  {
    base::FileMemoScope outer;
    base::filememo::keep("k", std::make_shared<const int>(2));
    {
      base::FileMemoScope inner;
      EXPECT_EQ(*base::filememo::findAs<int>("k"), 2);
    }
    EXPECT_EQ(*base::filememo::findAs<int>("k"), 2);
    base::filememo::forget("k");
    EXPECT_FALSE(base::filememo::find("k"));
    base::filememo::keep("k", std::make_shared<const int>(3));
  }
  EXPECT_FALSE(base::filememo::active());
  base::FileMemoScope again;
  EXPECT_FALSE(base::filememo::find("k"));
}

}  // namespace
