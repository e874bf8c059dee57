// Speed and memory of the spreadsheet control: recalculation of a large
// sheet, formula compilation, loading a standards-sized sheet, merged cells
// at scale, the memory a simple formula cell takes, and the large sheet
// exported to CSV, xlsx and PDF and loaded back from xlsx.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/grid/LargeWorkbooks.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/SpanTable.h"
#include "platform/grid/export/SheetExport.h"
#include "platform/grid/formula/Parser.h"

using namespace grid;

namespace {

constexpr int kRows = 10000;  // 10 formula columns: 100,000 formula cells

std::unique_ptr<Sheet> largeSheet() {
  return gridbench::largeSheet(kRows);
}

void BM_Recalc100kFormulas(benchmark::State& state) {
  auto sheet = largeSheet();
  sheet->reCalc();  // builds the dependency graph once
  for (auto _ : state) sheet->reCalc();
  state.counters["ns_per_formula_cell"] = benchmark::Counter(
      10.0 * kRows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["ns_per_formula_cell"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 10 * kRows,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Recalc100kFormulas)->Unit(benchmark::kMillisecond);

void BM_FirstRecalcWithGraph(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto sheet = largeSheet();
    state.ResumeTiming();
    sheet->reCalc();
    state.PauseTiming();
    sheet.reset();
    state.ResumeTiming();
  }
  state.counters["ns_per_formula_cell"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 10 * kRows,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FirstRecalcWithGraph)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CompileShortFormulas(benchmark::State& state) {
  const char* formulas[] = {"=A1+B1*2",       "=SUM(A1:A10)", "=IF(C3>0,C3,-C3)", "=ROUND(D4/3,2)",
                            "=MIN(A1,B2,C3)", "=\"x\"&E5",    "=R[-1]C+1",        "=$A$1*B7"};
  FormulaParser parser;
  CompiledFormula out;
  std::size_t n = 0;
  for (auto _ : state) {
    for (const char* f : formulas) {
      parser.compile(f, 5, 5, out);
      benchmark::DoNotOptimize(out);
    }
    n += std::size(formulas);
  }
  state.counters["formulas_per_second"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CompileShortFormulas);

// A standards sheet: 2,000 cells of which 300 formulas.
std::string standardsFile() {
  Sheet s;
  s.setMaxCols(10);
  s.setMaxRows(200);
  for (int r = 1; r <= 200; ++r) {
    for (int c = 1; c <= 10; ++c) {
      bool formula = c >= 9 || (c == 8 && r % 2 == 0);
      if (formula) {
        std::string row = std::to_string(r);
        s.setFormula(c, r,
                     c == 8 ? "=ROUND(A" + row + "*B" + row + ",2)"
                            : "=IF(A" + row + ">B" + row + ",C" + row + "&\" mm\",D" + row + "+E" +
                                  row + ")");
      } else if (c == 1) {
        s.setData(c, r, "Var" + std::to_string(r));
      } else {
        s.setData(c, r, std::to_string(r * c % 97) + ".5");
      }
    }
  }
  std::string path = (std::filesystem::temp_directory_path() /
                      ("grid-bench-" + std::to_string(::getpid()) + ".kvs"))
                         .string();
  std::string error;
  s.saveToFile(path, error);
  return path;
}

void BM_LoadAndRecalcStandardsSheet(benchmark::State& state) {
  std::string path = standardsFile();
  std::string error;
  for (auto _ : state) {
    Sheet s;
    if (!s.loadFromFile(path, error)) state.SkipWithError(error.c_str());
    s.reCalc();
    benchmark::DoNotOptimize(s.cellCount());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_LoadAndRecalcStandardsSheet)->Unit(benchmark::kMicrosecond);

// Merged cells. The sample is a sheet of 1,500 spans (pairs of rows merged
// in 10 columns); the benchmarks run at 1, 10 and 100 times that. Every
// span is checked against the others, so a quadratic check shows at once
// (150,000 spans took 32 s to load before the sweep).
constexpr int kSpanSample = 1500;
constexpr int kSpanColumns = 10;

std::vector<Area> mergedPairs(int spans) {
  std::vector<Area> out;
  out.reserve(static_cast<std::size_t>(spans));
  for (int i = 0; i < spans; ++i) {
    int col = 1 + i % kSpanColumns, row = 1 + 2 * (i / kSpanColumns);
    out.push_back({col, row, col, row + 1});
  }
  return out;
}

void spanSampleSizes(benchmark::internal::Benchmark* b) {
  b->Arg(kSpanSample)->Arg(10 * kSpanSample)->Arg(100 * kSpanSample);
  b->Unit(benchmark::kMillisecond);
}

// The pairs merged on a sheet with spareRows empty rows below them.
std::unique_ptr<Sheet> sheetWithSpans(int spans, int spareRows) {
  auto s = std::make_unique<Sheet>();
  s->setMaxCols(kSpanColumns);
  s->setMaxRows(2 * (spans / kSpanColumns + 1) + spareRows);
  for (const Area& a : mergedPairs(spans)) s->addCellSpan(a.col1, a.row1, 1, 2);
  return s;
}

void spanCounters(benchmark::State& state) {
  state.counters["spans"] = static_cast<double>(state.range(0));
  state.counters["ns_per_span"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(state.range(0)),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_LoadSheetWithSpans(benchmark::State& state) {
  auto s = sheetWithSpans(static_cast<int>(state.range(0)), 0);
  std::string path = (std::filesystem::temp_directory_path() /
                      ("grid-bench-spans-" + std::to_string(::getpid()) + ".kvs"))
                         .string();
  std::string error;
  if (!s->saveToFile(path, error)) state.SkipWithError(error.c_str());
  for (auto _ : state) {
    Sheet loaded;
    if (!loaded.loadFromFile(path, error)) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(loaded.content().spans.size());
  }
  std::filesystem::remove(path);
  spanCounters(state);
}
BENCHMARK(BM_LoadSheetWithSpans)->Apply(spanSampleSizes);

// Merging cells one span at a time, as mergeEqualCells does.
void BM_AddSpansOneByOne(benchmark::State& state) {
  std::vector<Area> spans = mergedPairs(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    SpanTable t;
    for (const Area& a : spans) t.add(a);
    benchmark::DoNotOptimize(t.size());
  }
  spanCounters(state);
}
BENCHMARK(BM_AddSpansOneByOne)->Apply(spanSampleSizes);

// Inserting a row moves every span below it.
void BM_InsertRowAboveSpans(benchmark::State& state) {
  // Room for every row inserted: no span is pushed off the sheet.
  auto s = sheetWithSpans(static_cast<int>(state.range(0)), 100000);
  for (auto _ : state) s->insRow(1);
  spanCounters(state);
}
BENCHMARK(BM_InsertRowAboveSpans)->Apply(spanSampleSizes);

// Heap bytes per formula cell, beyond its text, with the dependency graph
// built: mallinfo2 before and after 100,000 cells "=A1+B1*2"-like.
void BM_MemoryPerFormulaCell(benchmark::State& state) {
  double perCell = 0;
  for (auto _ : state) {
    malloc_trim(0);
    std::size_t before = mallinfo2().uordblks;
    auto s = std::make_unique<Sheet>();
    s->setMaxCols(20);
    s->setMaxRows(kRows);
    std::size_t text = 0, cells = 0;
    for (int r = 1; r <= kRows; ++r) {
      std::string row = std::to_string(r);
      for (int c = 11; c <= 20; ++c) {
        std::string f = "A" + row + "+B" + row + "*2";
        text += f.size();
        s->setFormula(c, r, f, false);
        ++cells;
      }
    }
    s->reCalc();
    std::size_t after = mallinfo2().uordblks;
    perCell = (static_cast<double>(after - before) - static_cast<double>(text)) /
              static_cast<double>(cells);
  }
  state.counters["bytes_per_formula_cell"] = perCell;
}
BENCHMARK(BM_MemoryPerFormulaCell)->Iterations(1)->Unit(benchmark::kMillisecond);

// The recalculation sheet as a CSV workbook of `rows` rows (ten formula
// cells a row), loaded and computed as `ss-host calc` does: time per
// formula cell and heap should stay flat from 10,000 rows to 100,000.
void BM_LoadAndCalcCsvWorkbook(benchmark::State& state) {
  int rows = static_cast<int>(state.range(0));
  std::string csv = gridbench::csvWorkbook(rows);
  double heapMb = 0;
  for (auto _ : state) {
    malloc_trim(0);
    std::size_t before = mallinfo2().uordblks;
    auto s = std::make_unique<Sheet>();
    std::string error;
    if (!s->loadFromText(csv, "workbook.csv", error)) state.SkipWithError(error.c_str());
    s->reCalc();
    heapMb = static_cast<double>(mallinfo2().uordblks - before) / (1 << 20);
  }
  state.counters["ns_per_formula_cell"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 10 * rows,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["heap_MB"] = heapMb;
}
BENCHMARK(BM_LoadAndCalcCsvWorkbook)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Array expressions over whole columns: 1,000 formulas, each over 10,000
// stored rows of a column of 1,048,576.
void BM_ArrayFormulasOverWholeColumns(benchmark::State& state) {
  auto s = std::make_unique<Sheet>();
  s->setMaxCols(4);
  s->setMaxRows(kRows);
  for (int r = 1; r <= kRows; ++r) {
    s->setData(1, r, std::to_string(r % 211));
    s->setData(2, r, std::to_string(r % 7));
  }
  for (int r = 1; r <= 1000; ++r)
    s->setFormula(3, r, "=SUMPRODUCT((A:A>" + std::to_string(r % 211) + ")*B:B)", false);
  s->reCalc();
  for (auto _ : state) s->reCalc();
  state.counters["ns_per_element"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 1000 * kRows,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ArrayFormulasOverWholeColumns)->Unit(benchmark::kMillisecond);
std::string benchFile(const char* name) {
  return (std::filesystem::temp_directory_path() /
          ("grid-bench-" + std::to_string(::getpid()) + "-" + name))
      .string();
}

// The 100,000-formula sheet (200,000 cells) written to each export format.
void BM_ExportLargeSheet(benchmark::State& state) {
  static const char* names[] = {"large.csv", "large.xlsx", "large.pdf"};
  auto sheet = largeSheet();
  sheet->reCalc();
  std::string file = benchFile(names[state.range(0)]), error;
  for (auto _ : state)
    if (!exportSheet(*sheet, file, PrintLayout{}, error)) state.SkipWithError(error.c_str());
  state.SetLabel(names[state.range(0)]);
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
  std::filesystem::remove(file);
}
BENCHMARK(BM_ExportLargeSheet)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same sheet saved as .xlsx, then loaded and computed as a user's workbook.
void BM_LoadLargeXlsxAndRecalc(benchmark::State& state) {
  auto sheet = largeSheet();
  sheet->reCalc();
  std::string file = benchFile("load.xlsx"), error;
  if (!exportSheet(*sheet, file, PrintLayout{}, error)) state.SkipWithError(error.c_str());
  for (auto _ : state) {
    Sheet loaded;
    if (!loaded.loadFromFile(file, error)) state.SkipWithError(error.c_str());
    loaded.reCalc();
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_LoadLargeXlsxAndRecalc)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
