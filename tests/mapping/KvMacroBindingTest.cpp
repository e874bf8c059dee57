// The mapping's whole view of a standards run: what it reports back through
// the binding.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "mapping/KvMacroBinding.h"
#include "mapping/KvVarCells.h"

namespace {

struct RecordingBinding : KvMacroBinding {
  void variableFailed(bool isInput, const Nx_String& name) override {
    failed.emplace_back(isInput, name.str());
  }
  std::vector<std::pair<bool, std::string>> failed;
};

KvVarCell cell(const char* name, KvCellType type, const char* value) {
  KvVarCell c;
  c.name = name;
  c.cellType = type;
  c.valueType = kValueDouble;
  c.value = value;
  return c;
}

TEST(KvMacroBinding, EveryValueThatCannotBeFetchedIsReportedToTheRunAndPassedOver) {
  KvVarCells cells;
  cells.append(cell("In", kCellInput, "1"));
  cells.append(cell("Out", kCellOutput, "2"));
  cells.append(cell("Work", kCellLocal, "3"));
  // A module group without a macro: the mapping is built, no value is there.
  RecordingBinding run;
  run.fileName = "Sheet";
  run.moduleName = "Plate";
  EXPECT_EQ(cells.getFromMacro(run), Acad::eOk);
  const std::vector<std::pair<bool, std::string>> expected = {{true, "In"}, {false, "Out"}};
  EXPECT_EQ(run.failed, expected);
  EXPECT_EQ(cells[0].value, "1");
  EXPECT_EQ(cells[1].value, "2");
  EXPECT_EQ(cells[2].value, "");

  // A run with neither a macro nor a module group fails before it fetches.
  RecordingBinding unbound;
  unbound.fileName = "/no/such/sheet.kvs";
  EXPECT_EQ(cells.getFromMacro(unbound), Acad::eInvalidInput);
  EXPECT_TRUE(unbound.failed.empty());
}

}  // namespace
