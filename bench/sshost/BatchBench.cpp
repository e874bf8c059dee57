// `ss-host eval --all` on a generated drawing of 5,000 macros, each with two
// attached sheets (the sample end plate, which calls its bolt-group child,
// and the base plate on the macro's BasePlate modules), evaluated and saved
// with 1 and 2 workers: the whole process timed, best of a few runs, and the
// speed-up printed. Usage: sshost_batch_bench [MACROS] [RUNS]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "bench/sshost/QuietRun.h"

extern char** environ;

namespace fs = std::filesystem;
using nlohmann::ordered_json;

namespace {

const fs::path kLibrary = fs::path(SS_SOURCE_DIR) / "examples" / "library";
const fs::path kHost = fs::path(SS_BINARY_DIR) / "bin" / "ss-host";

ordered_json sampleMacro(const ordered_json& root, const std::string& name) {
  for (const ordered_json& m : root["macros"])
    if (m["name"] == name) return m;
  return {};
}

// The end plate macro with the base plate's modules, general variables and
// attachment added; its dialog data is built from the modules on loading.
fs::path generate(int count) {
  std::ifstream in(kLibrary / "Macros" / "Connections.json");
  std::stringstream text;
  text << in.rdbuf();
  ordered_json root = ordered_json::parse(text.str());
  ordered_json macro = sampleMacro(root, "EP-101");
  const ordered_json base = sampleMacro(root, "BP-301");
  for (const char* list : {"generalVariables", "standards", "modules"})
    for (const ordered_json& item : base[list]) macro[list].push_back(item);
  macro.erase("dialog");
  ordered_json macros = ordered_json::array();
  for (int i = 0; i < count; ++i) {
    macro["name"] = "M-" + std::to_string(i);
    macros.push_back(macro);
  }
  root["macros"] = std::move(macros);
  fs::path file =
      fs::temp_directory_path() / ("ss-batch-bench-" + std::to_string(getpid()) + ".json");
  std::ofstream(file) << root.dump(2) << "\n";
  return file;
}

// Seconds of the whole ss-host process; negative when it failed.
double evaluate(const fs::path& drawing, const fs::path& output, int jobs) {
  std::vector<std::string> words = {
      kHost.string(), "--library", kLibrary.string(),    "eval",     drawing.string(),
      "--all",        "--jobs",    std::to_string(jobs), "--output", output.string()};
  const auto start = std::chrono::steady_clock::now();
  const int code = runQuietly(std::move(words));
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return code == 0 ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int macros = argc > 1 ? std::atoi(argv[1]) : 5000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const fs::path drawing = generate(macros);
  const fs::path output = drawing.string() + ".out";
  std::printf("eval --all, %d macros with 2 sheets each, whole process, best of %d\n", macros,
              runs);
  std::printf("%-6s %10s %9s\n", "jobs", "seconds", "speed-up");
  double one = 0;
  int code = 0;
  for (int jobs : {1, 2}) {
    double best = -1;
    for (int r = 0; r < runs; ++r) {
      double s = evaluate(drawing, output, jobs);
      if (s < 0) {
        std::fprintf(stderr, "ss-host eval --all --jobs %d failed\n", jobs);
        code = 1;
        break;
      }
      if (best < 0 || s < best) best = s;
    }
    if (best < 0) break;
    if (jobs == 1) one = best;
    std::printf("%-6d %10.2f %8.2fx\n", jobs, best, one / best);
  }
  fs::remove(drawing);
  fs::remove(output);
  return code;
}
