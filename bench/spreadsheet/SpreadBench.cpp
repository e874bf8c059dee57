// How long the wrapper takes for what its callers do most: the standards run
// fills and computes a hidden sheet of a few hundred cells (budget 1 ms with
// a child run), grid dialogs fill typed columns and fit them, the bill output
// grows its sheet in steps of 100 rows.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/ui/Dialog.h"
#include "spreadsheet/Nx_Spread.h"
#include "spreadsheet/Nx_SpreadRedrawLock.h"
#include "spreadsheet/SheetOptions.h"

namespace {
// A hidden dialog holding one attached sheet, as the calculation pool keeps them.
struct HiddenSheet {
  HiddenSheet(int cols, int rows) {
    dialog.create();
    auto placeholder = std::make_unique<ui::Window>();
    placeholder->setId(1);
    dialog.addChild(std::move(placeholder));
    spread.attachToItem(&dialog, 1);
    spread.setMaxCols(cols);
    spread.setMaxRows(rows);
  }
  ui::Dialog dialog;
  Nx_Spread spread;
};

// One standards evaluation: 100 variables (declaration, name, value), 40
// equations set as formulas and computed one by one, then the outputs read.
void runStandards(grid::Sheet& s) {
  for (int row = 1; row <= 100; ++row) {
    s.setData(1, row, row % 2 ? "Double" : "Int");
    s.setData(2, row, "var" + std::to_string(row));
    s.setData(3, row, std::to_string(row * 1.5));
  }
  for (int row = 101; row <= 140; ++row) {
    std::string formula =
        "ROUND(C" + std::to_string(row - 100) + "*2+C" + std::to_string(row - 99) + "/3,2)";
    s.setFormula(3, row, formula, false);
    s.reCalcCell(3, row);
  }
  for (int row = 101; row <= 140; ++row) benchmark::DoNotOptimize(s.getValue(3, row));
}

void BM_StandardsRunOnHiddenSheet(benchmark::State& state) {
  HiddenSheet h(3, 150);
  grid::Sheet& s = *h.spread.sheet();
  s.setBool(kOptionEditMode, true);
  s.setBool(grid::kOptionRedraw, false);
  s.setBool(grid::kOptionAutoCalc, false);
  for (auto _ : state) {
    runStandards(s);
    // The child call: a second sheet of the pool runs the same way.
    static HiddenSheet child(3, 150);
    runStandards(*child.spread.sheet());
  }
}
BENCHMARK(BM_StandardsRunOnHiddenSheet)->Unit(benchmark::kMicrosecond);

void BM_FillTypedColumnsAndFit(benchmark::State& state) {
  HiddenSheet h(6, static_cast<int>(state.range(0)));
  Nx_Spread& sp = h.spread;
  sp.initAppearance(1);
  Nx_StringArray names, values;
  for (int i = 0; i < state.range(0); ++i) {
    names.append("Variable " + std::to_string(i));
    values.append(std::to_string(i * 0.25));
  }
  for (auto _ : state) {
    Nx_SpreadRedrawLock lock(sp);
    sp.setStaticColumn(1, 0);
    sp.setNumberColumn(2, 2, false);
    sp.setCheckColumn(3, true, false);
    sp.setColumnValues(1, names, false);
    sp.setColumnValues(2, values, false);
    sp.fitAll();
  }
}
BENCHMARK(BM_FillTypedColumnsAndFit)->Arg(50)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_BillGrowsBy100Rows(benchmark::State& state) {
  for (auto _ : state) {
    HiddenSheet h(8, 1);
    Nx_SpreadRedrawLock lock(h.spread);
    for (int rows = 101; rows <= 1001; rows += 100) h.spread.setMaxRowsEmpty(rows);
  }
}
BENCHMARK(BM_BillGrowsBy100Rows)->Unit(benchmark::kMillisecond);

void BM_MergeEqualCells(benchmark::State& state) {
  HiddenSheet h(1, 1000);
  Nx_StringArray parts;
  for (int i = 0; i < 1000; ++i) parts.append("Part " + std::to_string(i / 7));
  h.spread.setColumnValues(1, parts, false);
  for (auto _ : state) h.spread.mergeEqualCells(1);
}
BENCHMARK(BM_MergeEqualCells)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
