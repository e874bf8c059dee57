// Whole standards runs through the module's entry, with a warm pool: the
// sample end plate (a parent run with its child) against its macro, and
// generated child sheets of N equations over N variables, whose time must
// grow linearly with N.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/SSExports.h"
#include "core/Nx_Settings.h"
#include "core/macro/Nx_Drawing.h"
#include "host/KvSSDlgsMgr.h"
#include "standards/KvDlgStandardsData.h"

namespace fs = std::filesystem;

namespace {

const std::string kLibrary = std::string(SS_SOURCE_DIR) + "/examples/library";

void BM_EndPlateParentRun(benchmark::State& state) {
  gSettings.setLibDir(kLibrary.c_str());
  Nx_Drawing drawing;
  Nx_String error;
  if (!drawing.load((kLibrary + "/Macros/Connections.json").c_str(), error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  AcTransaction tr(drawing.database());
  Nx_DbMacro* macro = nullptr;
  tr.getObject(macro, drawing.findMacro("EP-101"), AcDb::kForWrite);
  MacroData data;
  macro->getMacroData(data);
  KvDlgStandardsData request;
  request.initialize(macro, "EndPlate", "Q7mTz2KcR9wLx4VbN8jHd3Fs", &data);
  request.transaction = &tr;
  request.genVarNames = {"gen_PlateOverhang", "gen_PlateStep"};
  request.genVarValues = {"10", "5"};
  KvDlgStandardsData warm = request;
  if (!StartDlgStandardsSS(warm)) state.SkipWithError("the end plate does not run");
  for (auto _ : state) {
    KvDlgStandardsData run = request;
    benchmark::DoNotOptimize(StartDlgStandardsSS(run));
  }
  gSSDlgsMgr.destroyAll();
}
BENCHMARK(BM_EndPlateParentRun)->Unit(benchmark::kMicrosecond);

// A child sheet: Input X, Output Y, N Local variables and N equations, each
// over two earlier variables, with a section function every tenth.
std::string writeGeneratedSheet(const fs::path& folder, int n) {
  fs::path path = folder / ("Generated" + std::to_string(n) + ".kvs");
  std::ofstream out(path);
  out << "Generated sheet of " << n << " equations\nInput\nDouble X\nOutput\nDouble Y\nLocal\n";
  for (int i = 0; i < n; ++i) out << "Double Value_" << i << ",note\n";
  out << "Calc\n";
  out << "Value_0 = X + 1\n";
  for (int i = 1; i < n; ++i) {
    int j = (i * 7919) % i;
    if (i % 10 == 0)
      out << "Value_" << i << " = ROUNDTO(Value_" << i - 1 << " * 1.5 + Value_" << j << ", 5)\n";
    else
      out << "Value_" << i << " = Value_" << i - 1 << " + Value_" << j << " / 3\n";
  }
  out << "Y = Value_" << n - 1 << "\n";
  return path.string();
}

void BM_GeneratedSheet(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::string tmpl = (fs::temp_directory_path() / "ss-run-bench-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  gSettings.setLibDir(tmpl.c_str());
  KvDlgStandardsData request;
  request.mode = KvDlgStandardsData::kChild;
  request.fileName = writeGeneratedSheet(tmpl, n).c_str();
  KvVarCell x, y;
  x.name = "X";
  x.valueType = kValueDouble;
  x.value = "1";
  y = x;
  y.name = "Y";
  y.cellType = kCellOutput;
  request.varCells.append(x);
  request.varCells.append(y);
  KvDlgStandardsData warm = request;
  if (!StartDlgStandardsSS(warm) || warm.varCells[1].value == "1")
    state.SkipWithError("the generated sheet does not run");
  for (auto _ : state) {
    KvDlgStandardsData run = request;
    benchmark::DoNotOptimize(StartDlgStandardsSS(run));
  }
  state.SetComplexityN(n);
  state.counters["us/equation"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
  gSSDlgsMgr.destroyAll();
  fs::remove_all(tmpl);
}
BENCHMARK(BM_GeneratedSheet)
    ->Arg(100)
    ->Arg(200)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
