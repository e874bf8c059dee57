#include "apps/ss-host/commands/EvalWatch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include "apps/ss-host/GlobalOptions.h"
#include "common/StandardsPaths.h"
#include "core/Nx_Settings.h"

namespace eval {

namespace {

namespace fs = std::filesystem;

volatile std::sig_atomic_t gStop = 0;

extern "C" void onStop(int) {
  gStop = 1;
}

// Installs the handlers for the watch's length; the previous ones come back.
class StopSignals {
 public:
  StopSignals() {
    struct sigaction action {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &oldInt_);
    sigaction(SIGTERM, &action, &oldTerm_);
  }
  ~StopSignals() {
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

class Watcher {
 public:
  Watcher() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
  ~Watcher() {
    if (fd_ >= 0) ::close(fd_);
  }
  Watcher(const Watcher&) = delete;
  Watcher& operator=(const Watcher&) = delete;

  bool ready() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  int folders() const { return static_cast<int>(only_.size()); }

  // Watches a folder, for one file name in it or ("") for all.
  void add(const fs::path& folder, const std::string& only = "") {
    // Editors save by writing a new file and renaming it over the old one.
    const uint32_t mask = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM;
    int wd = inotify_add_watch(fd_, folder.c_str(), mask);
    if (wd < 0) return;
    auto [it, added] = only_.emplace(wd, only);
    if (!added && !it->second.empty()) it->second = only;  // the whole folder wins
  }
  void addTree(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return;
    add(folder);
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
      if (it->is_directory(ec)) add(it->path());
  }

  // Reads what is waiting; true when a watched file changed.
  bool changed() {
    alignas(inotify_event) char buffer[16384];
    bool any = false;
    for (;;) {
      ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) return any;
      for (char* p = buffer; p < buffer + n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(p);
        p += sizeof(inotify_event) + event->len;
        auto it = only_.find(event->wd);
        if (it == only_.end()) continue;
        if (it->second.empty() || (event->len > 0 && it->second == event->name)) any = true;
      }
    }
  }

 private:
  int fd_;
  std::map<int, std::string> only_;  // watch -> the one name it is for, or ""
};

// Waits for a change followed by a quiet spell; false when stopped.
bool waitForChange(Watcher& watcher) {
  constexpr int kQuietMs = 150;  // an editor's save is several events
  pollfd fd{watcher.fd(), POLLIN, 0};
  bool seen = false;
  while (!gStop) {
    int ready = ::poll(&fd, 1, seen ? kQuietMs : 500);
    if (ready > 0 && watcher.changed())
      seen = true;
    else if (ready == 0 && seen)
      return true;
  }
  return false;
}

}  // namespace

int watch(const Options& options, const std::function<int()>& evaluate) {
  Watcher watcher;
  if (!watcher.ready()) {
    std::fprintf(stderr, "ss-host eval: --watch: inotify is not available\n");
    return kExitFailed;
  }
  std::error_code ec;
  const fs::path drawing = fs::absolute(options.drawing, ec);
  watcher.add(drawing.parent_path(), drawing.filename().string());
  watcher.addTree(fs::path(standardsFolder().str()));
  const fs::path library(gSettings.libDir.str());
  if (!library.empty()) {
    watcher.addTree(library / "prof");
    watcher.addTree(library / "User Sections");
  }
  if (!options.sheet.empty() && fs::is_regular_file(options.sheet, ec))
    watcher.add(fs::absolute(options.sheet, ec).parent_path());

  StopSignals signals;
  gStop = 0;
  int code = evaluate();
  while (true) {
    std::fprintf(stderr, "ss-host eval: watching %d folder%s for changes (Ctrl-C ends)\n",
                 watcher.folders(), watcher.folders() == 1 ? "" : "s");
    std::fflush(stderr);
    if (!waitForChange(watcher)) break;
    std::fputs("\n", stdout);
    code = evaluate();
  }
  return code;
}

}  // namespace eval
