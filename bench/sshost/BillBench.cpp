// The bill output as the list generator drives it: 1,000, 10,000 and 50,000
// lines with a subtotal every 20 lines and no pictures, built and saved (the
// cost must grow with the lines); and the spreadsheet window opened again
// through its launcher.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/Nx_Settings.h"
#include "platform/base/NamedValueStore.h"
#include "spreadsheet/KvSSBillOutput.h"
#include "spreadsheet/KvSSWindow.h"
#include "spreadsheet/KvSSWindowLauncher.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSubtotalEvery = 20;

// Settings folder and registry of the run's own.
struct Scratch {
  Scratch() : dir(fs::temp_directory_path() / ("ss-bill-bench-" + std::to_string(getpid()))) {
    fs::create_directories(dir);
    gSettings.setLibDir(dir.c_str());
    base::NamedValueStore::instance().setFile((dir / "registry.ini").string());
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  fs::path dir;
};

Scratch& scratch() {
  static Scratch s;
  return s;
}

void BM_BillBuiltAndSaved(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const Nx_String file = (scratch().dir / "bench.kvb").c_str();
  const Nx_StringArray captions = {"Pos", "Qty", "Name", "Section", "Length", "Weight"};
  AcArray<int> kinds;
  for (int k : {3, 1, 3, 3, 2, 2}) kinds.append(k);
  for (auto _ : state) {
    KvSSBillOutput bill;
    bill.init(file, captions, {}, kinds, "Bill", {}, {});
    bill.onStartFeed();
    double weight = 0;
    for (int i = 1; i <= lines; ++i) {
      bill.onAddRow({Nx_String("P") + Nx_String(i), "2", "Beam", "IPE200", "4500", "201.6"});
      weight += 201.6;
      if (i % kSubtotalEvery == 0)
        bill.onAddSubTotals({"", "", "", "", "", Nx_String(weight, 1, false)}, {}, false, 0);
    }
    bill.onEndFeed();
    if (!bill.saved()) state.SkipWithError("the bill was not saved");
    bill.launcher().window()->requestClose();
  }
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_BillBuiltAndSaved)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_WindowOpenedAgain(benchmark::State& state) {
  scratch();
  KvSSWindowLauncher launcher;
  launcher.open();
  for (auto _ : state) benchmark::DoNotOptimize(launcher.open());
  launcher.window()->requestClose();
}
BENCHMARK(BM_WindowOpenedAgain)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
