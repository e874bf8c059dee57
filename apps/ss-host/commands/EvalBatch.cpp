#include "apps/ss-host/commands/EvalBatch.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_set>

#include "apps/ss-host/commands/EvalHeap.h"
#include "apps/ss-host/commands/EvalMacro.h"
#include "apps/ss-host/commands/EvalProgress.h"
#include "apps/ss-host/commands/EvalRun.h"
#include "apps/ss-host/commands/EvalWire.h"
#include "core/macro/DrawingSlices.h"
#include "platform/base/FileMemo.h"

namespace eval {

namespace {

constexpr size_t kPipeBytes = size_t{1} << 20;

bool writeAll(int fd, const std::uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// The frames on their way to the parent (EvalWire.h). They go a few
// hundred kilobytes at a time: the parent wakes once for dozens of macros
// instead of once for each.
class Outbox {
 public:
  explicit Outbox(int fd) : fd_(fd) {}
  bool add(const WireMacro& macro) {
    appendFrame(macro, bytes_);
    return bytes_.size() < kSendBytes || flush();
  }
  bool flush() {
    const bool sent =
        writeAll(fd_, reinterpret_cast<const std::uint8_t*>(bytes_.data()), bytes_.size());
    bytes_.clear();
    return sent;
  }

 private:
  static constexpr size_t kSendBytes = size_t{256} << 10;
  int fd_;
  std::string bytes_;
};

// Runs the macro's sheets against a shadow copy of it (EvalRun.h).
void evaluate(Nx_Drawing& drawing, AcDbObjectId id, const Options& options, WireMacro& out) {
  Nx_Drawing shadow;
  const AcDbObjectId shadowId = shadow.addCopyOf(drawing, id);
  MacroEval context(drawing, id, shadow, shadowId, options);
  Nx_StringArray sheets, objects;
  std::string why;
  if (context.isOpen() && sheetsOf(context.macro(), options, sheets, objects, why)) {
    out.evaluated = true;
    out.run = runSheets(context, sheets, objects);
  }
}

// The index-th macro of the batch loaded alone; false when it does not load.
bool loadMacro(const Batch& batch, size_t index, Nx_Drawing& drawing, AcDbObjectId& id) {
  Nx_String why;
  if (!drawing::loadSlice(drawing, batch.macros[index], batch.name, why)) return false;
  AcArray<AcDbObjectId> ids;
  drawing.getMacroIds(ids);
  id = ids[0];
  return true;
}

Nx_String nameOf(Nx_Drawing& drawing, AcDbObjectId id) {
  AcTransaction tr(drawing.database());
  Nx_DbMacro* macro = nullptr;
  return tr.getObject(macro, id, AcDb::kForRead) == Acad::eOk ? macro->name() : Nx_String();
}

// The next macro to take, shared by the workers: each takes one when it is
// free, so a worker slowed down by the machine takes fewer and all end
// together. The result does not depend on who ran which macro.
class SharedCounter {
 public:
  SharedCounter() {
    void* page =
        ::mmap(nullptr, sizeof(Counter), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (page != MAP_FAILED) next_ = std::construct_at(static_cast<Counter*>(page), 0);
  }
  ~SharedCounter() {
    if (next_) ::munmap(next_, sizeof(Counter));
  }
  SharedCounter(const SharedCounter&) = delete;
  SharedCounter& operator=(const SharedCounter&) = delete;
  bool ready() const { return next_ != nullptr; }
  size_t take() { return next_->fetch_add(1, std::memory_order_relaxed); }
  // No worker starts another macro.
  void finish() { next_->store(kFinished, std::memory_order_relaxed); }

 private:
  using Counter = std::atomic<size_t>;
  static constexpr size_t kFinished = SIZE_MAX / 2;
  static_assert(Counter::is_always_lock_free, "shared between processes");
  Counter* next_ = nullptr;
};

// The worker's whole life; never returns to the command.
[[noreturn]] void work(const Batch& batch, const Options& options, SharedCounter& next, int fd) {
  takeOwnHeap();
  // The library does not change under a batch: its files are read and
  // parsed once per worker, not once per macro.
  base::FileMemoScope memo;
  const Nx_String target(batch.target.c_str());
  Outbox outbox(fd);
  for (size_t k = next.take(); k < batch.macros.size(); k = next.take()) {
    WireMacro out;
    out.index = static_cast<int>(k);
    Nx_Drawing drawing;
    AcDbObjectId id;
    if (!loadMacro(batch, k, drawing, id)) {
      // The drawing does not load: the batch is over, and the parent's
      // load of the whole file tells why.
      out.loaded = false;
      next.finish();
    } else {
      out.name = nameOf(drawing, id).str();
      evaluate(drawing, id, options, out);
      // The macro as its own run left it is what a one-by-one run saves; a
      // failed or passed-over macro is saved as it was, loaded again.
      if (!batch.target.empty()) {
        out.hasPart = true;
        if (out.evaluated && !out.run.failed()) {
          out.part = drawing::writePart(drawing, id, static_cast<int>(k), target);
        } else if (Nx_Drawing loaded; loadMacro(batch, k, loaded, id)) {
          out.part = drawing::writePart(loaded, id, static_cast<int>(k), target);
        } else {
          out.part.fault = drawing::DrawingPart::kNotLoading;
          out.part.error =
              target.str() + ": not saved: macro " + std::to_string(k + 1) + " did not load again";
        }
      }
    }
    if (!outbox.add(out)) _exit(4);
  }
  if (!outbox.flush()) _exit(4);
  std::fflush(stderr);
  _exit(0);
}

struct Worker {
  pid_t pid = -1;
  int fd = -1;
  std::vector<std::uint8_t> pending;
};

// Takes the complete frames off the front of a worker's bytes.
bool takeFrames(Worker& w, std::vector<std::optional<WireMacro>>& results, Progress& progress) {
  size_t at = 0;
  std::uint32_t size = 0;
  while (w.pending.size() - at >= sizeof size) {
    std::memcpy(&size, w.pending.data() + at, sizeof size);
    if (w.pending.size() - at - sizeof size < size) break;
    WireMacro macro;
    if (!fromWire(w.pending.data() + at + sizeof size, size, macro) || macro.index < 0 ||
        static_cast<size_t>(macro.index) >= results.size() || results[macro.index])
      return false;
    results[static_cast<size_t>(macro.index)] = std::move(macro);
    progress.advance();
    at += sizeof size + size;
  }
  w.pending.erase(w.pending.begin(), w.pending.begin() + static_cast<std::ptrdiff_t>(at));
  return true;
}

// Reads every worker to its end, handing the results on in order as soon
// as each and all before it are in; false when a frame is damaged.
bool collect(std::vector<Worker>& workers, std::vector<std::optional<WireMacro>>& results,
             const std::function<void(size_t)>& inOrder) {
  size_t handed = 0;
  auto handOn = [&] {
    for (; handed < results.size() && results[handed]; ++handed) inOrder(handed);
  };
  Progress progress(static_cast<int>(results.size()));
  bool sound = true;
  std::vector<pollfd> fds;
  for (const Worker& w : workers) fds.push_back({w.fd, POLLIN, 0});
  size_t open = workers.size();
  std::vector<std::uint8_t> buffer(kPipeBytes);
  while (open > 0) {
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    for (size_t w = 0; w < fds.size(); ++w) {
      if (fds[w].fd < 0 || fds[w].revents == 0) continue;
      ssize_t n = ::read(fds[w].fd, buffer.data(), buffer.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        ::close(fds[w].fd);
        fds[w].fd = -1;
        --open;
        continue;
      }
      workers[w].pending.insert(workers[w].pending.end(), buffer.data(), buffer.data() + n);
      sound = takeFrames(workers[w], results, progress) && sound;
      handOn();
    }
  }
  return sound;
}

}  // namespace

int defaultJobs() {
  long cores = ::sysconf(_SC_NPROCESSORS_ONLN);
  return cores > 0 ? static_cast<int>(cores) : 1;
}

BatchEnd runBatch(const Batch& batch, const Options& options, Report& report, BatchFile* file,
                  std::string& error) {
  Batch plan = batch;
  plan.jobs = std::max(1, std::min<int>(batch.jobs, static_cast<int>(batch.macros.size())));
  std::fflush(stdout);
  std::fflush(stderr);
  SharedCounter next;
  if (!next.ready()) {
    error = std::string("cannot start the workers: ") + std::strerror(errno);
    return BatchEnd::kFailed;
  }
  std::vector<Worker> workers;
  for (int slot = 0; slot < plan.jobs; ++slot) {
    int ends[2];
    if (::pipe(ends) != 0) {
      error = std::string("cannot start a worker: ") + std::strerror(errno);
      break;
    }
    // Room for a few dozen frames: a worker seldom waits for the parent, and
    // the parent wakes once for many frames. Where the system allows less,
    // the pipe stays as it is.
    ::fcntl(ends[0], F_SETPIPE_SZ, static_cast<int>(kPipeBytes));
    pid_t pid = ::fork();
    if (pid == 0) {
      ::close(ends[0]);
      for (const Worker& w : workers) ::close(w.fd);
      work(plan, options, next, ends[1]);
    }
    ::close(ends[1]);
    if (pid < 0) {
      ::close(ends[0]);
      error = std::string("cannot start a worker: ") + std::strerror(errno);
      break;
    }
    workers.push_back({pid, ends[0], {}});
  }
  // The file takes the macros in drawing order as their results come. Two
  // macros of one name make the drawing one that does not load.
  bool loading = true;
  std::unordered_set<std::string> names;
  std::vector<std::optional<WireMacro>> results(plan.macros.size());
  bool sound = collect(workers, results, [&](size_t k) {
    WireMacro& result = *results[k];
    if (!loading) return;
    if (!result.loaded || !names.insert(Nx_String(result.name).lower().str()).second) {
      loading = false;
      next.finish();
      if (file) file->giveUp();
      return;
    }
    if (file) file->add(result.part, result.evaluated ? &result.run : nullptr);
    if (result.evaluated) report.macros.push_back(std::move(result.run));
  });
  for (const Worker& w : workers) {
    int status = 0;
    while (::waitpid(w.pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) sound = false;
  }
  if (!error.empty()) return BatchEnd::kFailed;
  if (sound && !loading) return BatchEnd::kNotLoading;
  if (!sound || std::any_of(results.begin(), results.end(), [](const auto& r) { return !r; })) {
    error = "a worker ended before its macros were evaluated; nothing was changed";
    return BatchEnd::kFailed;
  }
  return BatchEnd::kDone;
}

}  // namespace eval
