// FROMTABLE against a table of 5,000 rows: a sheet of 10,000 lookups is
// recalculated (budget 20 ms), each lookup by captions and key, so the
// table must be read once and its keys found without a scan.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/grid/Sheet.h"
#include "spreadsheet/KvFromTable.h"
#include "spreadsheet/KvLookupTable.h"

namespace {

constexpr int kTableRows = 5000;
constexpr int kCalls = 10000;

// A folder of the run's own, removed when the run ends.
struct RunFolder {
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("ss-fromtable-bench-" + std::to_string(getpid()));
  ~RunFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

// The table, written once and dated a minute back (as a table saved before
// the calculation is).
std::string tableFolder() {
  static RunFolder run;
  static std::string folder = [] {
    const std::filesystem::path& dir = run.dir;
    std::filesystem::create_directories(dir);
    std::string path = (dir / "sizes.csv").string();
    std::ofstream out(path);
    out << "Key,Width,Thickness,Grade\n";
    for (int r = 1; r <= kTableRows; ++r)
      out << "P" << r << "," << 100 + r << "," << 5 + r % 20 << ",S355\n";
    out.close();
    timespec times[2];
    clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= 60;
    times[1] = times[0];
    utimensat(AT_FDCWD, path.c_str(), times, 0);
    return dir.string() + "/";
  }();
  return folder;
}

void BM_TenThousandLookupsRecalculated(benchmark::State& state) {
  std::string folder = tableFolder();
  grid::Sheet sheet;
  sheet.setMaxCols(2);
  sheet.setMaxRows(kCalls);
  registerFromTable(sheet, Nx_String(folder));
  for (int row = 1; row <= kCalls; ++row) {
    int key = 1 + (row * 7919) % kTableRows;
    sheet.setData(1, row, "P" + std::to_string(key));
    sheet.setFormula(
        2, row, "FROMTABLE(\"sizes.csv\",\"key\",\"Width\",A" + std::to_string(row) + ")", false);
  }
  sheet.reCalc();  // the table is read here, once
  for (auto _ : state) {
    sheet.reCalc();
    benchmark::DoNotOptimize(sheet.getValue(2, kCalls));
  }
  state.counters["lookups"] = kCalls;
  if (sheet.getValue(2, 1) != std::to_string(100 + 1 + 7919 % kTableRows))
    state.SkipWithError("a lookup gave a wrong value");
}
BENCHMARK(BM_TenThousandLookupsRecalculated)->Unit(benchmark::kMillisecond);

// The first recalculation: reading and indexing the table included.
void BM_FirstLookupReadsTheTable(benchmark::State& state) {
  std::string folder = tableFolder();
  grid::Sheet sheet;
  sheet.setMaxCols(1);
  sheet.setMaxRows(1);
  registerFromTable(sheet, Nx_String(folder));
  sheet.setFormula(1, 1, "FROMTABLE(\"sizes.csv\",\"Key\",\"Thickness\",\"P4999\")", false);
  for (auto _ : state) {
    KvLookupTables::clear();
    sheet.reCalc();
  }
}
BENCHMARK(BM_FirstLookupReadsTheTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
