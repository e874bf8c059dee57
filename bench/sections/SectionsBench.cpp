#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/FileHelpers.h"
#include "core/Nx_Settings.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "sections/Nx_ProfValuesTable.h"
#include "sections/SectionSizeNames.h"

namespace {
constexpr int kSizes = 5000;

// A library folder with prof/Big.pr: the sample tables' columns, one size per
// row, every tenth excluded.
const std::string& library() {
  static const std::string dir = [] {
    std::string tmpl =
        (std::filesystem::temp_directory_path() / "ss-sections-bench-XXXXXX").string();
    std::string path = mkdtemp(tmpl.data()) ? tmpl : std::string(".");
    std::filesystem::create_directories(path + "/prof");
    Nx_StringArray lines{
        "1",
        "SysName\tI/O\tEnglish\tDutch\tGerman\tFrench\tKorean\th\tb\ttw\ttf\tr\tA\tG\thi\td\t"
        "Iy\tWely\tWply\tiy\tAvz\tIz\tWelz\tWplz\tiz\tAL"};
    for (int i = 1; i <= kSizes; ++i) {
      std::string n = std::to_string(i * 2);
      std::string line = "B" + n + (i % 10 ? "\t1" : "\t0");
      for (int l = 0; l < 5; ++l) line += "\tB " + n;
      for (int v = 0; v < 19; ++v) line += "\t" + std::to_string(100 + i + v) + ".5";
      lines.append(Nx_String(line));
    }
    ObjectExportWriteFile(Nx_String(path + "/prof/Big.pr"), lines);
    gSettings.setLibDir(Nx_String(path));
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(library(), ec);
    });
    return path;
  }();
  return dir;
}

Nx_ProfValuesTable loaded() {
  library();
  Nx_ProfValuesTable t;
  t.readFromFile("Big");
  return t;
}

void BM_Load(benchmark::State& state) {
  library();
  for (auto _ : state) {
    Nx_ProfValuesTable t;
    benchmark::DoNotOptimize(t.readFromFile("Big"));
  }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_LoadAndCheck(benchmark::State& state) {
  library();
  for (auto _ : state) {
    Nx_ProfValuesTable t;
    Nx_StringArray problems;
    benchmark::DoNotOptimize(t.readFromFile("Big", &problems));
  }
}
BENCHMARK(BM_LoadAndCheck)->Unit(benchmark::kMillisecond);

void BM_Filter(benchmark::State& state) {
  Nx_ProfValuesTable t = loaded();
  for (auto _ : state) {
    Nx_StringArray names;
    benchmark::DoNotOptimize(t.getFilteredSysNames(names));
  }
}
BENCHMARK(BM_Filter)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
  Nx_ProfValuesTable t = loaded();
  for (auto _ : state) benchmark::DoNotOptimize(t.writeToFile("BigCopy"));
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

// What OK of the size editor and the hand-over do: the sorted place, the
// insertion, the manager's table replaced.
void BM_AddSizeAndHandOver(benchmark::State& state) {
  Nx_ProfValuesTable base = loaded();
  Nx_SectionTableManager manager;
  base.setToGlobals(&manager);
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Nx_ProfValuesTable t = base;
    Nx_StringArray row = t.rows[0];
    row[0] = Nx_String("B") + Nx_String(2 * (++n % kSizes) + 1);
    state.ResumeTiming();
    int at = sortedInsertPosition(t, row[0]);
    t.rows.insertAt(at, row);
    benchmark::DoNotOptimize(t.setToGlobals(&manager));
  }
}
BENCHMARK(BM_AddSizeAndHandOver)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
