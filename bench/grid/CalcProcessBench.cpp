// `ss-host calc` on the large workbooks, as a user runs it: the
// 100,000-formula sheet saved as .xlsx, and the recalculation sheet as CSV
// workbooks of 10,000 and 100,000 rows (100,000 and 1,000,000 formula
// cells). The whole process timed, best of a few runs, with its peak
// resident memory; the CSV rows show how time and memory grow with the
// cells. Usage: grid_calc_bench [RUNS]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/grid/LargeWorkbooks.h"
#include "platform/grid/export/SheetExport.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

const fs::path kHost = fs::path(SS_BINARY_DIR) / "bin" / "ss-host";

struct Run {
  double seconds = -1;    // negative when the process failed
  double cpuSeconds = 0;  // user and system: steadier than the clock on a busy machine
  double peakMb = 0;
};

// One `ss-host calc FILE`, its output thrown away.
Run calc(const fs::path& file) {
  std::string host = kHost.string(), command = "calc", path = file.string();
  char* argv[] = {host.data(), command.data(), path.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Run run;
  pid_t pid = 0;
  const auto start = std::chrono::steady_clock::now();
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) == 0) {
    int status = -1;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
      run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
      auto secs = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
      run.cpuSeconds = secs(usage.ru_utime) + secs(usage.ru_stime);
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

Run best(const fs::path& file, int runs) {
  Run out;
  for (int i = 0; i < runs; ++i) {
    Run r = calc(file);
    if (r.seconds < 0) return r;
    if (out.seconds < 0 || r.seconds < out.seconds) out.seconds = r.seconds;
    if (i == 0 || r.cpuSeconds < out.cpuSeconds) out.cpuSeconds = r.cpuSeconds;
    if (r.peakMb > out.peakMb) out.peakMb = r.peakMb;
  }
  return out;
}

fs::path benchFile(const std::string& name) {
  return fs::temp_directory_path() / ("grid-calc-bench-" + std::to_string(getpid()) + "-" + name);
}

// The workbooks, written by a child process: a child's peak memory starts
// from its parent's (Linux keeps the high-water mark across exec), so this
// process stays small.
bool writeWorkbooks(const fs::path& xlsx, const fs::path& csvSmall, const fs::path& csvLarge) {
  pid_t pid = fork();
  if (pid == 0) {
    auto sheet = gridbench::largeSheet(10000);
    sheet->reCalc();
    std::string error;
    bool written = grid::exportSheet(*sheet, xlsx.string(), grid::PrintLayout{}, error);
    if (!written) std::fprintf(stderr, "%s\n", error.c_str());
    std::ofstream(csvSmall) << gridbench::csvWorkbook(10000);
    std::ofstream(csvLarge) << gridbench::csvWorkbook(100000);
    _exit(written ? 0 : 1);
  }
  int status = -1;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

bool report(const char* what, const Run& r) {
  if (r.seconds < 0) {
    std::fprintf(stderr, "ss-host calc failed on %s\n", what);
    return false;
  }
  std::printf("%-34s %9.3f %9.3f %9.1f\n", what, r.seconds, r.cpuSeconds, r.peakMb);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  std::printf("ss-host calc, whole process, best of %d\n", runs);
  std::printf("%-34s %9s %9s %9s\n", "workbook", "seconds", "CPU s", "peak MB");
  bool ok = true;

  const fs::path xlsx = benchFile("large.xlsx"), csvSmall = benchFile("10000.csv"),
                 csvLarge = benchFile("100000.csv");
  if (!writeWorkbooks(xlsx, csvSmall, csvLarge)) return 1;
  ok = report(".xlsx, 100,000 formula cells", best(xlsx, runs)) && ok;
  fs::remove(xlsx);

  Run small;
  for (int rows : {10000, 100000}) {
    const fs::path& csv = rows == 10000 ? csvSmall : csvLarge;
    Run r = best(csv, runs);
    fs::remove(csv);
    std::string what =
        rows == 10000 ? "CSV, 100,000 formula cells" : "CSV, 1,000,000 formula cells";
    if (!report(what.c_str(), r)) {
      ok = false;
      break;
    }
    if (rows == 10000) {
      small = r;
    } else {
      std::printf("10 times the cells: %.1f times the time, %.1f times the CPU time\n",
                  r.seconds / small.seconds, r.cpuSeconds / small.cpuSeconds);
    }
  }
  return ok ? 0 : 1;
}
