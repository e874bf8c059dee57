// The host window's File > Open on a drawing of 1,000 macros (and ten times
// that, so a cost that grows faster than the drawing shows): the file read,
// the drawing loaded and every macro's list row built. The window itself
// shows a virtual list, which asks only for the rows on screen.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "apps/ss-host/listing/MacroListing.h"
#include "core/macro/Nx_Drawing.h"
#include "platform/base/AtomicFile.h"

namespace {
// The sample library's drawing with its macros repeated until it holds n.
std::string drawingOf(int n) {
  std::string text;
  base::readWholeFile(std::string(SS_SOURCE_DIR) + "/examples/library/Macros/Connections.json",
                      text);
  nlohmann::json root = nlohmann::json::parse(text);
  nlohmann::json macros = nlohmann::json::array();
  for (int i = 0; macros.size() < static_cast<size_t>(n); ++i)
    for (nlohmann::json m : root["macros"]) {
      if (macros.size() == static_cast<size_t>(n)) break;
      m["name"] = m["name"].get<std::string>() + "-" + std::to_string(i);
      macros.push_back(m);
    }
  root["macros"] = macros;
  return root.dump(2);
}

void OpenAndListDrawing(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("ss-host-bench-" + std::to_string(n) + ".json");
  if (!base::writeFileAtomically(file.string(), drawingOf(n))) {
    state.SkipWithError("cannot write the drawing");
    return;
  }
  size_t rows = 0;
  for (auto _ : state) {
    Nx_Drawing drawing;
    Nx_String error;
    if (!drawing.load(file.string().c_str(), error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    rows = listMacros(drawing).size();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["macros"] = static_cast<double>(rows);
  std::filesystem::remove(file);
}
BENCHMARK(OpenAndListDrawing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The list rows alone, of a drawing already open.
void ListOpenDrawing(benchmark::State& state) {
  Nx_Drawing drawing;
  Nx_String error;
  if (!drawing.loadText(drawingOf(static_cast<int>(state.range(0))), "bench.json", error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(listMacros(drawing));
}
BENCHMARK(ListOpenDrawing)->Arg(1000)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
