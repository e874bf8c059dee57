// `ss-host eval` on the sample drawing with its macros repeated 1, 10 and
// 100 times (4, 40 and 400 macros), run as a user runs it: the time must
// grow with the number of macros, not with its square.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "bench/sshost/QuietRun.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

const fs::path kLibrary = fs::path(SS_SOURCE_DIR) / "examples" / "library";
const fs::path kHost = fs::path(SS_BINARY_DIR) / "bin" / "ss-host";

// The sample drawing with its macros repeated `times` times, in a file.
fs::path drawingOf(int times) {
  std::ifstream in(kLibrary / "Macros" / "Connections.json");
  std::stringstream text;
  text << in.rdbuf();
  nlohmann::ordered_json root = nlohmann::ordered_json::parse(text.str());
  nlohmann::ordered_json macros = nlohmann::ordered_json::array();
  for (int i = 0; i < times; ++i)
    for (nlohmann::ordered_json m : root["macros"]) {
      m["name"] = m["name"].get<std::string>() + "-" + std::to_string(i);
      macros.push_back(std::move(m));
    }
  root["macros"] = std::move(macros);
  fs::path file = fs::temp_directory_path() / ("ss-eval-bench-" + std::to_string(getpid()) + "-" +
                                               std::to_string(times) + ".json");
  std::ofstream(file) << root.dump(2);
  return file;
}

// The exit code of ss-host eval on the drawing, its output thrown away.
int evaluate(const fs::path& drawing) {
  std::vector<std::string> words = {kHost.string(), "--library",      kLibrary.string(),
                                    "eval",         drawing.string(), "--json"};
  return runQuietly(std::move(words));
}

void EvalDrawing(benchmark::State& state) {
  const int times = static_cast<int>(state.range(0));
  const fs::path drawing = drawingOf(times);
  for (auto _ : state) {
    int code = evaluate(drawing);
    // 0 clean, 4 with diagnostics: both ran every macro.
    if (code != 0 && code != 4) state.SkipWithError("ss-host eval failed");
  }
  fs::remove(drawing);
  state.counters["macros"] = 4.0 * times;
  state.counters["macros/s"] =
      benchmark::Counter(4.0 * times, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(EvalDrawing)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
