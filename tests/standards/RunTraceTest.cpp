// The trace of a standards run: every Calc cell as computed, in order, with
// the variables it read and wrote, a child run's cells under its CallChild.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/SSExports.h"
#include "tests/standards/StandardsLibrary.h"

namespace {

class RunTrace : public StandardsLibrary {
 protected:
  void writePlate() {
    writePlateOverBolts({"Bolts = 10", "Count = Bolts - 7 + Bolts * 0",
                         "CallChild(\"Bolts.kvs\", Bolts, Count, Width)", "Height = Width / 0"});
  }
};

std::string names(const std::vector<KvTraceVariable>& list) {
  std::string out;
  for (const KvTraceVariable& v : list) out += v.name.str() + "=" + v.value.str() + " ";
  return out;
}

TEST_F(RunTrace, EveryCalcCellIsTracedInOrderWithItsChildRunNested) {
  writePlate();
  openMacro("Plate", "K1");
  KvRunTrace trace;
  request.trace = &trace;
  StartDlgStandardsSS(request);
  ASSERT_EQ(trace.size(), 4u);

  EXPECT_EQ(trace[0].row, 9);
  EXPECT_EQ(trace[0].value, "10");
  EXPECT_TRUE(trace[0].read.empty());
  EXPECT_EQ(names(trace[0].written), "Bolts=10 ");

  // Each variable read once, first use first, with the value it had.
  EXPECT_EQ(trace[1].equation, "A6 - 7 + A6 * 0");
  EXPECT_EQ(names(trace[1].read), "Bolts=10 ");
  EXPECT_EQ(names(trace[1].written), "Count=3 ");

  const KvTraceRow& call = trace[2];
  EXPECT_TRUE(call.ok);
  EXPECT_EQ(names(call.read), "Bolts=10 Count=3 Width=0 ");
  EXPECT_EQ(names(call.written), "Width=60 ");
  ASSERT_EQ(call.children.size(), 2u);
  EXPECT_NE(call.children[0].sheet.str().find("Bolts.kvs"), std::string::npos);
  EXPECT_EQ(names(call.children[0].read), "Size=10 ");
  EXPECT_EQ(names(call.children[1].read), "Step=20 Count=3 ");
  EXPECT_EQ(call.children[1].value, "60");

  // A failed equation shows its error value and writes nothing.
  EXPECT_FALSE(trace[3].ok);
  EXPECT_EQ(trace[3].value, "#DIV/0!");
  EXPECT_EQ(names(trace[3].read), "Width=60 ");
  EXPECT_TRUE(trace[3].written.empty());
}

TEST_F(RunTrace, AnUntracedRunGivesTheSameResults) {
  writePlate();
  openMacro("Plate", "K1");
  KvDlgStandardsData untraced = request;
  KvRunTrace trace;
  request.trace = &trace;
  EXPECT_EQ(StartDlgStandardsSS(request), StartDlgStandardsSS(untraced));
  EXPECT_EQ(valueOf(request.varCells, "Width"), valueOf(untraced.varCells, "Width"));
  EXPECT_EQ(request.diagnostics.size(), untraced.diagnostics.size());
  EXPECT_FALSE(trace.empty());
}

}  // namespace
