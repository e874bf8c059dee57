// Figures for the drawing file (load, save), section look-ups and the
// access of a mapping entry to its macro value.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>
#include <string>

#include "core/Nx_Settings.h"
#include "core/macro/JsonQuickParse.h"
#include "core/macro/Nx_Drawing.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "mapping/KvObjectMap.h"
#include "platform/base/AtomicFile.h"

namespace {

const std::string kSource = SS_SOURCE_DIR;

// The example drawing with its macros repeated until it holds n of them.
std::string drawingOf(int n) {
  std::string text;
  base::readWholeFile(kSource + "/examples/drawings/example.json", text);
  nlohmann::json root = nlohmann::json::parse(text);
  nlohmann::json macros = nlohmann::json::array();
  for (int i = 0; macros.size() < static_cast<size_t>(n); ++i) {
    for (nlohmann::json m : root["macros"]) {
      m["name"] = m["name"].get<std::string>() + "-" + std::to_string(i);
      macros.push_back(m);
    }
  }
  root["macros"] = macros;
  return root.dump(2);
}

// One macro of n plate modules, each its own group with two variables: every
// name check of the loader (modules, groups, tabs) meets n names.
std::string wideMacroOf(int n) {
  std::string text = R"({"format": "connection-standards drawing", "version": 1, "macros": [)"
                     R"({"name": "Wide", "kind": "Endplate", "modules": [)";
  for (int i = 0; i < n; ++i) {
    std::string id = std::to_string(i);
    text += std::string(i ? "," : "") + R"({"name": "Plate-)" + id + R"(", "type": 231, )" +
            R"("variables": [{"name": "Thickness", "value": 15.0}, )" +
            R"({"name": "Width", "value": 200.0}]})";
  }
  return text + "]}]}";
}

// The figures of the issue's drawing of 80,000 modules, and a tenth and ten
// times that, so that any cost growing faster than the size shows.
void LoadWideMacro(benchmark::State& state) {
  std::string text = wideMacroOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Nx_Drawing d;
    Nx_String error;
    if (!d.loadText(text, "bench.json", error)) state.SkipWithError(error.c_str());
  }
  state.counters["modules/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(LoadWideMacro)
    ->Arg(8000)
    ->Arg(80000)
    ->Arg(800000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void SaveWideMacro(benchmark::State& state) {
  Nx_Drawing d;
  Nx_String error;
  d.loadText(wideMacroOf(static_cast<int>(state.range(0))), "bench.json", error);
  for (auto _ : state) {
    std::string json;
    if (!d.toJson(json, error)) state.SkipWithError(error.c_str());
  }
  state.counters["modules/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(SaveWideMacro)
    ->Arg(8000)
    ->Arg(80000)
    ->Arg(800000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void LoadDrawing(benchmark::State& state) {
  std::string text = drawingOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Nx_Drawing d;
    Nx_String error;
    benchmark::DoNotOptimize(d.loadText(text, "bench.json", error));
  }
  state.counters["macros/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(LoadDrawing)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The JSON parse alone, of the same indented text.
void ParseDrawing(benchmark::State& state) {
  std::string text = drawingOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    drawing::JsonTree tree;
    tree.parse(text);
    benchmark::DoNotOptimize(tree.root());
  }
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(text.size()) / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(ParseDrawing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void SaveDrawing(benchmark::State& state) {
  Nx_Drawing d;
  Nx_String error;
  d.loadText(drawingOf(static_cast<int>(state.range(0))), "bench.json", error);
  for (auto _ : state) benchmark::DoNotOptimize(d.toJson());
  state.counters["macros/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(SaveDrawing)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void SectionValue(benchmark::State& state) {
  gSettings.setLibDir((kSource + "/examples/library").c_str());
  Nx_String value;
  for (auto _ : state) benchmark::DoNotOptimize(getSectionValue("IPE 300", 9, value));
}
BENCHMARK(SectionValue);

// A value as a standards run reads and writes it: a distance on a group.
void MacroValueAccess(benchmark::State& state) {
  Nx_Drawing d;
  Nx_String error;
  d.load((kSource + "/examples/drawings/example.json").c_str(), error);
  AcTransaction tr(d.database());
  Nx_DbMacro* macro = nullptr;
  tr.getObject(macro, d.findMacro("EP-1"), AcDb::kForWrite);
  MacroData data;
  macro->getMacroData(data);
  KvObjectMap entry;
  entry.getMappingFromStrs("Thickness",
                           "Plates\x95"
                           "Distance Thickness");
  Nx_String value = "12";
  bool read = state.range(0) != 0;
  for (auto _ : state) {
    if (read)
      benchmark::DoNotOptimize(entry.getMacroVarValue(macro, &data, value, &tr));
    else
      benchmark::DoNotOptimize(entry.setMacroVarValue(macro, &data, value, &tr));
  }
}
BENCHMARK(MacroValueAccess)->ArgName("read")->Arg(1)->Arg(0);

}  // namespace

BENCHMARK_MAIN();
