#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/Nx_Settings.h"
#include "designer/CSelectionTracker.h"
#include "designer/Nx_DlgDesignerData.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Dialog.h"

namespace {
constexpr int kControls = 500;

// A library folder with a 500-control template, made once.
struct Library {
  Library() {
    dir = (std::filesystem::temp_directory_path() / "ss-designer-bench").string();
    std::filesystem::create_directories(dir);
    gSettings.setLibDir(dir);
    std::filesystem::create_directories(getDesignerRootFolder().str());
    path = getDesignerRootFolder() + "Bench.txt";
    Nx_DlgDesignerData design;
    for (int i = 0; i < kControls; ++i) {
      Nx_DesignerControl c;
      c.type = i % 3 == 0 ? ctLabel : ctInputField;
      // A grid of 25 x 20 cells of 40 x 30 pixels on a 1000 x 600 picture.
      const int col = i % 25, row = i / 25;
      c.topLeftX = (col * 40 + 2) / 1000.0;
      c.topLeftY = (row * 30 + 2) / 600.0;
      c.bottomRightX = (col * 40 + 38) / 1000.0;
      c.bottomRightY = (row * 30 + 28) / 600.0;
      c.contents = "Variable" + std::to_string(i);
      design.append(c);
    }
    design.writeToFile(path);
  }
  ~Library() { std::filesystem::remove_all(dir); }
  std::string dir;
  Nx_String path;
};
Library& library() {
  static Library lib;
  return lib;
}

// The 500 controls drawn on a dialog in design mode, on a 1000 x 600 picture.
struct Drawn {
  Drawn() {
    host.setRect({0, 0, 1000, 600});
    design.initialize(&host, 33000, 33999, 0, 0, 0, 0, 0, true);
    design.readFromFile(library().path, false);
    design.attachBitmap(picturePath());
    design.redrawAllControls();
  }
  static Nx_String picturePath() {
    const Nx_String p = getDesignerRootFolder() + "Bench.bmp";
    if (!std::filesystem::exists(p.str())) {
      // A plain 1000 x 600 24-bit picture.
      const int w = 1000, h = 600, stride = w * 3;
      std::string b(54 + stride * h, '\x80');
      auto put32 = [&](size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
      };
      b[0] = 'B', b[1] = 'M';
      put32(2, static_cast<unsigned>(b.size()));
      put32(6, 0);
      put32(10, 54);
      put32(14, 40);
      put32(18, w);
      put32(22, h);
      b[26] = 1, b[27] = 0, b[28] = 24, b[29] = 0;
      for (int i = 30; i < 54; ++i) b[i] = 0;
      FILE* f = std::fopen(p.c_str(), "wb");
      std::fwrite(b.data(), 1, b.size(), f);
      std::fclose(f);
    }
    return p;
  }
  ui::Dialog host;
  Nx_DlgDesignerData design;
};

void BM_ReadTemplate500(benchmark::State& state) {
  AcutPrintCapture quiet;
  Nx_DlgDesignerData design;
  for (auto _ : state) {
    design.readFromFile(library().path, false);
    benchmark::DoNotOptimize(design.getNrControls());
  }
  state.counters["controls"] = design.getNrControls();
}
BENCHMARK(BM_ReadTemplate500)->Unit(benchmark::kMillisecond);

void BM_WriteTemplate500(benchmark::State& state) {
  Nx_DlgDesignerData design;
  design.readFromFile(library().path, false);
  const Nx_String out = getDesignerRootFolder() + "Written.txt";
  for (auto _ : state) benchmark::DoNotOptimize(design.writeToFile(out));
}
BENCHMARK(BM_WriteTemplate500)->Unit(benchmark::kMillisecond);

void BM_HitTest500(benchmark::State& state) {
  Drawn d;
  CSelectionTracker& tracker = *d.design.tracker();
  // The last control of the grid: every other one is tested first.
  const ui::Point last{24 * 40 + 20, 19 * 30 + 15};
  for (auto _ : state) benchmark::DoNotOptimize(tracker.hitTest(last));
  state.counters["registered"] = static_cast<double>(tracker.registered().size());
}
BENCHMARK(BM_HitTest500)->Unit(benchmark::kMicrosecond);

void BM_DragFifty(benchmark::State& state) {
  Drawn d;
  CSelectionTracker& tracker = *d.design.tracker();
  long long area = 0, steps = 0;
  for (auto _ : state) {
    // Fifty controls of two rows selected, then dragged 40 pixels right and
    // 20 down in 20 steps.
    tracker.clearSelection();
    for (int i = 0; i < 50; ++i) tracker.select(33000 + i, false);
    tracker.resetRepaintedArea();
    tracker.mouseDown({22, 17}, false, false);
    for (int s = 1; s <= 20; ++s) tracker.mouseMove({22 + 2 * s, 17 + s});
    tracker.mouseUp({62, 37});
    // And back, so that every round starts from the same place.
    tracker.mouseDown({62, 37}, false, false);
    for (int s = 19; s >= 0; --s) tracker.mouseMove({22 + 2 * s, 17 + s});
    tracker.mouseUp({22, 17});
    area += tracker.repaintedArea();
    steps += 40;
  }
  const double window = 1000.0 * 600.0;
  state.counters["area_per_step_px"] = static_cast<double>(area) / static_cast<double>(steps);
  state.counters["share_of_window"] =
      static_cast<double>(area) / static_cast<double>(steps) / window;
}
BENCHMARK(BM_DragFifty)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
