// The frame of a run in progress: where reports land, what nested runs
// share, and the sheet texts kept for the outermost run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/Nx_Settings.h"
#include "platform/arx/acutil.h"
#include "standards/StandardsDiagnostics.h"
#include "standards/StandardsRunFrame.h"

namespace {

TEST(StandardsRunFrame, ReportsLandOnTheInnermostRunWithItsSheetAndRow) {
  gSettings.showStandardsMessages = false;
  reportEquationFailure("/lib/a.kvs", 3, "W", "1 +");  // outside a run: shown only
  KvRunDiagnostics outer, inner;
  StandardsRunFrame run(outer);
  run.setSheet("/lib/a.kvs");
  run.setCell(7, "W = STDSIZEWITHTOLERANCE(\"s.txt\", 1, 2, 0, 0)");
  reportInvalidTolerances(0, 0);
  {
    StandardsRunFrame child(inner);
    child.setSheet("/lib/b.kvs");
    reportVariableFailure("b", true, "Depth");
  }
  EXPECT_EQ(StandardsRunFrame::current(), &run);
  reportEquationFailure("/lib/a.kvs", 9, "W", "1 +");
  ASSERT_EQ(outer.size(), 2u);
  EXPECT_EQ(outer[0].kind, KvRunDiagnostic::kTolerance);
  EXPECT_EQ(outer[0].sheet, "/lib/a.kvs");
  EXPECT_EQ(outer[0].row, 7);
  EXPECT_EQ(outer[0].text, "W = STDSIZEWITHTOLERANCE(\"s.txt\", 1, 2, 0, 0)");
  EXPECT_EQ(outer[0].message, invalidTolerancesText(0, 0));
  EXPECT_EQ(outer[1].kind, KvRunDiagnostic::kEquation);
  EXPECT_EQ(outer[1].row, 9);
  EXPECT_EQ(outer[1].message, equationFailureText("/lib/a.kvs", 9, "W", "1 +"));
  ASSERT_EQ(inner.size(), 1u);
  EXPECT_EQ(inner[0].kind, KvRunDiagnostic::kVariable);
  EXPECT_EQ(inner[0].sheet, "/lib/b.kvs");
  EXPECT_EQ(inner[0].variable, "Depth");
  EXPECT_EQ(inner[0].message, variableFailureText("b", true, "Depth"));
}

TEST(StandardsRunFrame, AMissingDataFileIsToldOncePerOutermostRun) {
  KvRunDiagnostics outer, inner, next;
  AcutPrintCapture printed;
  {
    StandardsRunFrame run(outer);
    run.setSheet("/lib/a.kvs");
    reportDataFileProblem("Gauges.txt", false);
    reportDataFileProblem("Gauges.txt", false);
    StandardsRunFrame child(inner);
    child.setSheet("/lib/a.kvs");
    reportDataFileProblem("Gauges.txt", true);
    child.setSheet("/lib/b.kvs");
    reportDataFileProblem("Gauges.txt", true);
  }
  ASSERT_EQ(outer.size(), 1u);
  EXPECT_EQ(outer[0].kind, KvRunDiagnostic::kDataFile);
  EXPECT_EQ(outer[0].text, "Gauges.txt");
  EXPECT_EQ(outer[0].message,
            "Standards sheet /lib/a.kvs: the data file Gauges.txt cannot be found");
  ASSERT_EQ(inner.size(), 1u);
  EXPECT_EQ(inner[0].message,
            "Standards sheet /lib/b.kvs: the data file Gauges.txt cannot be read");
  EXPECT_EQ(printed.text(),
            "*Error* " + outer[0].message.str() + "\n*Error* " + inner[0].message.str() + "\n");
  StandardsRunFrame again(next);
  again.setSheet("/lib/a.kvs");
  reportDataFileProblem("Gauges.txt", false);
  EXPECT_EQ(next.size(), 1u);
}

TEST(StandardsRunFrame, NestedRunsShareTheCallStackAndTheChildRunCount) {
  KvRunDiagnostics a, b;
  StandardsRunFrame outer(a);
  outer.setSheet("/lib/Childs/A.kvs");
  StandardsRunFrame inner(b);
  inner.setSheet("/lib/Childs/B.kvs");
  EXPECT_EQ(inner.depth(), 1);
  EXPECT_TRUE(inner.isOnCallStack("/lib/Childs/../Childs/a.kvs"));
  EXPECT_TRUE(inner.isOnCallStack("/lib/Childs/B.kvs"));
  EXPECT_FALSE(outer.isOnCallStack("/lib/Childs/B.kvs"));
  for (int i = 0; i < StandardsRunFrame::kMaxChildRuns; ++i)
    ASSERT_TRUE((i % 2 ? outer : inner).countChildRun());
  EXPECT_FALSE(outer.countChildRun());
  EXPECT_FALSE(inner.countChildRun());
}

TEST(StandardsRunFrame, ASheetFileIsReadOncePerOutermostRun) {
  std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("ss-frame-" + std::to_string(getpid()) + ".kvs");
  std::ofstream(file) << "Calc\n";
  KvRunDiagnostics outer, inner;
  std::string error;
  const std::string* text = nullptr;
  {
    StandardsRunFrame run(outer);
    ASSERT_TRUE(run.sheetText(file.string().c_str(), text, error)) << error;
    EXPECT_EQ(*text, "Calc\n");
    std::filesystem::remove(file);
    StandardsRunFrame child(inner);
    ASSERT_TRUE(child.sheetText(file.string().c_str(), text, error));
    EXPECT_EQ(*text, "Calc\n");
  }
  EXPECT_EQ(StandardsRunFrame::current(), nullptr);
  StandardsRunFrame next(outer);
  EXPECT_FALSE(next.sheetText(file.string().c_str(), text, error));
  EXPECT_NE(error.find("no such file"), std::string::npos);
  EXPECT_FALSE(
      next.sheetText(std::filesystem::temp_directory_path().string().c_str(), text, error));
  EXPECT_NE(error.find("not a file"), std::string::npos);
}

}  // namespace
