// Figures for the macro dialog on the sample end plate (EP-101), headless:
// opening it with its first page shown (budget 50 ms), and "Load from
// standards" with the pages built again, next to the standards run alone
// (the difference: budget 5 ms).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/Nx_Settings.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "macrodlg/KvMacroDlg.h"
#include "platform/base/NamedValueStore.h"

namespace {

// The sample drawing as the working drawing, for every benchmark of the run.
struct Sample {
  Sample() {
    gSettings.setLibDir(SS_SOURCE_DIR "/examples/library");
    base::NamedValueStore::instance().setFile(
        (std::filesystem::temp_directory_path() / "macrodlg-bench.ini").string());
    Nx_String error;
    loaded = drawing.load(gSettings.libDir + "Macros/Connections.json", error);
    Nx_Drawing::setWorking(&drawing);
    AcTransaction tr(drawing.database());
    Nx_DbMacro* macro = nullptr;
    if (tr.getObject(macro, drawing.findMacro("EP-101"), AcDb::kForRead) == Acad::eOk)
      macro->getMacroData(data);
  }
  Nx_Drawing drawing;
  MacroData data;
  bool loaded = false;
};

Sample& sample() {
  static Sample s;
  return s;
}

void BM_OpenMacroDialogOnTheEndPlate(benchmark::State& state) {
  if (!sample().loaded) state.SkipWithError("the sample drawing did not load");
  for (auto _ : state) {
    KvMacroDlg dlg(sample().data);
    dlg.create(nullptr);
    benchmark::DoNotOptimize(dlg.page(dlg.currentPage()));
    dlg.destroyWindow();
  }
}
BENCHMARK(BM_OpenMacroDialogOnTheEndPlate)->Unit(benchmark::kMillisecond);

void BM_StandardsRunAlone(benchmark::State& state) {
  MacroData data = sample().data;
  for (auto _ : state) benchmark::DoNotOptimize(data.loadFromStandards());
}
BENCHMARK(BM_StandardsRunAlone)->Unit(benchmark::kMillisecond);

void BM_LoadFromStandardsInTheDialog(benchmark::State& state) {
  KvMacroDlg dlg(sample().data);
  dlg.create(nullptr);
  for (auto _ : state) dlg.handleCommand(dlg_macro::IDC_LOAD_STANDARDS, ui::BN_CLICKED);
  dlg.destroyWindow();
}
BENCHMARK(BM_LoadFromStandardsInTheDialog)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
