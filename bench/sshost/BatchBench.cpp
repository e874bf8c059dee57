// `ss-host eval --all` on a generated drawing of 5,000 macros, each with two
// attached sheets (the sample end plate, which calls its bolt-group child,
// and the base plate on the macro's BasePlate modules), evaluated and saved
// with 1 and 2 workers: the whole process timed, best of a few runs, and the
// speed-up printed, best against best and within each turn; then what the
// machine gives two busy processes at once, to read the speed-up against.
// Usage: sshost_batch_bench [MACROS] [RUNS]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
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

// The two kinds of work a worker mixes: arithmetic in registers, and
// copying memory far larger than the caches.
void spinArithmetic() {
  std::uint64_t x = 88172645463325252ULL;
  for (std::uint64_t n = 0; n < 600'000'000ULL; ++n) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
  }
  _exit(x == 42 ? 1 : 0);  // the loop's result is used, so it is run
}

void spinMemory() {
  constexpr size_t kBytes = size_t{64} << 20;
  std::vector<char> from(kBytes, 1), to(kBytes);
  long sum = 0;
  for (int n = 0; n < 40; ++n) {
    std::memcpy(to.data(), from.data(), kBytes);
    sum += to[static_cast<size_t>(n) * 4096];
  }
  _exit(sum == 42 ? 1 : 0);
}

// Seconds for `count` processes at once to each run the same loop;
// negative when one could not start.
double spinTogether(int count, void (*loop)()) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<pid_t> children;
  for (int i = 0; i < count; ++i) {
    pid_t pid = fork();
    if (pid < 0) break;
    if (pid == 0) loop();
    children.push_back(pid);
  }
  for (pid_t pid : children) waitpid(pid, nullptr, 0);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return static_cast<int>(children.size()) == count ? seconds : -1;
}

// The seconds of `measure(1)` and `measure(2)` over `runs` turns, the two
// taking turns so that a machine whose speed drifts (a virtual machine's
// does, by a fifth) slows both alike; empty once one fails.
struct Turns {
  std::vector<double> one, two;

  double best(int count) const {
    const std::vector<double>& s = count == 1 ? one : two;
    return *std::min_element(s.begin(), s.end());
  }
  // The median of each turn's ratio: the two runs of a turn ran on the
  // machine as it was at that moment, where the bests may come from two
  // moments far apart.
  double pairedRatio() const {
    std::vector<double> ratios;
    for (size_t r = 0; r < one.size(); ++r) ratios.push_back(one[r] / two[r]);
    std::sort(ratios.begin(), ratios.end());
    const size_t n = ratios.size();
    return n % 2 ? ratios[n / 2] : (ratios[n / 2 - 1] + ratios[n / 2]) / 2;
  }
};

template <class Measure>
std::optional<Turns> byTurns(int runs, Measure measure) {
  Turns turns;
  for (int r = 0; r < runs; ++r)
    for (int count : {1, 2}) {
      const double s = measure(count);
      if (s < 0) return std::nullopt;
      (count == 1 ? turns.one : turns.two).push_back(s);
    }
  if (runs < 1) return std::nullopt;
  return turns;
}

// How much more work two processes at once do than one in the same time.
double twoAtOnce(void (*loop)(), int runs) {
  const auto turns = byTurns(runs, [&](int count) { return spinTogether(count, loop); });
  return turns ? 2 * turns->pairedRatio() : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int macros = argc > 1 ? std::atoi(argv[1]) : 5000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  if (macros < 1 || runs < 1) {
    std::fprintf(stderr, "usage: sshost_batch_bench [MACROS] [RUNS], both at least 1\n");
    return 2;
  }
  const fs::path drawing = generate(macros);
  const fs::path output = drawing.string() + ".out";
  std::printf("eval --all, %d macros with 2 sheets each, whole process, best of %d\n", macros,
              runs);
  int failed = 0;
  const auto turns = byTurns(runs, [&](int jobs) {
    const double s = evaluate(drawing, output, jobs);
    if (s < 0) failed = jobs;
    return s;
  });
  fs::remove(drawing);
  fs::remove(output);
  if (!turns) {
    if (failed) std::fprintf(stderr, "ss-host eval --all --jobs %d failed\n", failed);
    return 1;
  }
  std::printf("%-6s %10s %9s\n", "jobs", "seconds", "speed-up");
  for (int jobs : {1, 2})
    std::printf("%-6d %10.2f %8.2fx\n", jobs, turns->best(jobs),
                turns->best(1) / turns->best(jobs));
  std::printf("speed-up within a turn (1 job, then 2), median of %d turns: %.2fx\n", runs,
              turns->pairedRatio());

  // What the machine itself gives two processes at once, beside which the
  // speed-up above is to be read.
  std::printf(
      "the machine, two processes at once against one: %.2fx the work in arithmetic, "
      "%.2fx in copying memory\n",
      twoAtOnce(spinArithmetic, runs), twoAtOnce(spinMemory, runs));
  return 0;
}
