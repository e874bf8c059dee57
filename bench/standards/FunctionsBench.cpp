// The standards functions inside one sheet calculation, whose budget is a
// millisecond: a hundred look-ups in one data file, a hundred size choices,
// and the registration that precedes every calculation.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/Nx_Settings.h"
#include "platform/grid/Sheet.h"
#include "standards/DataFiles.h"
#include "standards/KvSSFunctions.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCalls = 100;

// A library folder with a look-up file of 300 lines and a size file of 60.
class BenchLibrary {
 public:
  BenchLibrary() {
    std::string tmpl = (fs::temp_directory_path() / "ss-bench-XXXXXX").string();
    folder_ = mkdtemp(tmpl.data()) ? tmpl : std::string();
    fs::path data = fs::path(folder_) / "Connection Standards" / "Data";
    fs::create_directories(data);
    std::ofstream lookup(data / "Spacing.txt");
    lookup << "// bolt spacing\n";
    for (int d = 1; d <= 60; ++d)
      for (const char* what : {"Hole", "End", "Edge", "Pitch", "Clear"})
        lookup << d << ";" << what << "\t" << d * 3 << "\n";
    lookup.close();
    std::ofstream sizes(data / "Flats.txt");
    for (int t : {5, 6, 8, 10, 12, 15})
      for (int w = 40; w <= 400; w += 40) sizes << w << "x" << t << "\n";
    sizes.close();
    // Settled files, as a library's data files are.
    auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(data / "Spacing.txt", old);
    fs::last_write_time(data / "Flats.txt", old);
    gSettings.setLibDir(folder_.c_str());
  }
  ~BenchLibrary() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

 private:
  std::string folder_;
};

void fillSheet(grid::Sheet& sheet, const std::string& formulaOfRow) {
  sheet.setMaxCols(2);
  sheet.setMaxRows(kCalls);
  registerStandardsFunctions(sheet);
  for (int r = 1; r <= kCalls; ++r) {
    sheet.setData(1, r, std::to_string(r % 60 + 1));
    std::string f = formulaOfRow;
    for (std::size_t at; (at = f.find('#')) != std::string::npos;)
      f.replace(at, 1, std::to_string(r));
    sheet.setFormula(2, r, f, false);
  }
}

void BM_GetCellHundredTimes(benchmark::State& state) {
  BenchLibrary library;
  grid::Sheet sheet;
  fillSheet(sheet, "=GETCELL(\"Spacing.txt\", A#, \"Pitch\")");
  for (auto _ : state) sheet.reCalc();
  if (sheet.getValue(2, 1) != "6") state.SkipWithError("wrong look-up result");
  state.SetLabel("one sheet calculation, 100 GETCELL calls");
}
BENCHMARK(BM_GetCellHundredTimes)->Unit(benchmark::kMicrosecond);

void BM_GetCellUncached(benchmark::State& state) {
  BenchLibrary library;
  grid::Sheet sheet;
  fillSheet(sheet, "=GETCELL(\"Spacing.txt\", A#, \"Pitch\")");
  for (auto _ : state) {
    ssfunctions::clearDataFileCache();
    sheet.reCalcCell(2, 1);
  }
  state.SetLabel("one GETCELL call that reads and parses the file");
}
BENCHMARK(BM_GetCellUncached)->Unit(benchmark::kMicrosecond);

void BM_StdWidthHundredTimes(benchmark::State& state) {
  BenchLibrary library;
  grid::Sheet sheet;
  fillSheet(sheet, "=STDWIDTHWITHTOLERANCE(\"Flats.txt\", 10, 8, A# * 5, 0, 30)");
  for (auto _ : state) sheet.reCalc();
  state.SetLabel("one sheet calculation, 100 STDWIDTHWITHTOLERANCE calls");
}
BENCHMARK(BM_StdWidthHundredTimes)->Unit(benchmark::kMicrosecond);

void BM_Register(benchmark::State& state) {
  grid::Sheet sheet;
  for (auto _ : state) benchmark::DoNotOptimize(registerStandardsFunctions(sheet));
  state.SetLabel("the twelve functions on one sheet");
}
BENCHMARK(BM_Register)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
