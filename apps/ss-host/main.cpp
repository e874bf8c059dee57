// The host program's loader. It loads the core and the module the way the
// CAD application does: from its own folder, with the module's application
// entry for the init and unload messages. The commands live in a library of
// their own that is loaded once the module runs.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/ProcessExit.h"
#include "platform/arx/aced.h"
#include "platform/arx/acutil.h"
#include "platform/arx/rxdefs.h"

namespace {
using EntryFn = int (*)(int argc, char** argv);

// A library loaded with dlopen for the life of the process. It is never
// unmapped (RTLD_NODELETE): the desktop libraries it brings keep caches that
// are freed only at exit, and a leak report must still be able to name the
// library a block came from.
class SharedLibrary {
 public:
  SharedLibrary() = default;
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;
  ~SharedLibrary() {
    if (handle_) dlclose(handle_);
  }
  // False with the loader's reason on standard error.
  bool open(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
    if (!handle_) std::fprintf(stderr, "ss-host: cannot load %s: %s\n", path.c_str(), reason());
    return handle_ != nullptr;
  }
  void* symbol(const char* name) const {
    void* s = dlsym(handle_, name);
    if (!s) std::fprintf(stderr, "ss-host: %s\n", reason());
    return s;
  }
  void* handle() const { return handle_; }

 private:
  static const char* reason() {
    const char* text = dlerror();
    return text ? text : "unknown reason";
  }
  void* handle_ = nullptr;
};

// The folder of this program, where the libraries lie beside it.
std::string ownFolder(const char* argv0) {
  std::string path(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", path.data(), path.size() - 1);
  path = n > 0 ? path.substr(0, static_cast<size_t>(n)) : std::string(argv0 ? argv0 : "");
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// The module's application entry, or null; while it lives the module runs
// and gets the unload message when it ends.
class RunningModule {
 public:
  explicit RunningModule(const SharedLibrary& module)
      : entry_(reinterpret_cast<AcRxEntryPointFn>(module.symbol("acrxEntryPoint"))),
        appId_(module.handle()) {
    if (entry_) entry_(AcRx::kInitAppMsg, appId_);
  }
  ~RunningModule() { unload(); }
  // Sends the unload message once; the command library must still be loaded
  // then, as what it registered with the host goes away with the module.
  void unload() {
    std::fflush(stdout);
    if (entry_) entry_(AcRx::kUnloadAppMsg, appId_);
    entry_ = nullptr;
    acrxDynamicLinker()->forget(appId_);
  }
  RunningModule(const RunningModule&) = delete;
  RunningModule& operator=(const RunningModule&) = delete;
  bool ok() const { return entry_ != nullptr; }

 private:
  AcRxEntryPointFn entry_;
  void* appId_;
};

int runCommandOrWindow(const GlobalOptions& options, SharedLibrary& commands, SharedLibrary& gui,
                       const std::string& folder, int argc, char** argv) {
  if (!commands.open(folder + "libsshost.so")) return kExitNoModule;
  if (!options.gui) {
    auto run = reinterpret_cast<EntryFn>(commands.symbol("sshostMain"));
    return run ? run(argc, argv) : kExitNoModule;
  }
  // The window applies the same settings as a command would.
  auto apply = reinterpret_cast<EntryFn>(commands.symbol("sshostApplyGlobalOptions"));
  if (!apply) return kExitNoModule;
  if (int code = apply(argc, argv); code != kExitOk) return code;
  if (!gui.open(folder + "libsshost-gui.so")) return kExitNoModule;
  auto guiMain = reinterpret_cast<EntryFn>(gui.symbol("sshostGuiMain"));
  return guiMain ? guiMain(argc, argv) : kExitNoModule;
}
}  // namespace

int main(int argc, char** argv) {
  GlobalOptions options = parseGlobalOptions(argc, argv);
  if (!options.error.empty()) {
    std::fprintf(stderr, "ss-host: %s\nRun 'ss-host --help' for the options and commands.\n",
                 options.error.c_str());
    return kExitUsage;
  }
  if (options.version) {
    std::printf("ss-host %s\n", SS_VERSION);
    return finishStandardOutput() ? kExitOk : kExitFailed;
  }

  acutSetPrintSink([](std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  });

  // Declared in load order, so they close in reverse order.
  const std::string folder = ownFolder(argv[0]);
  SharedLibrary core, module;
  if (!core.open(folder + "libdcm.so") || !module.open(folder + "libSS.so")) return kExitNoModule;
  RunningModule running(module);
  if (!running.ok()) return kExitNoModule;

  SharedLibrary commands, gui;
  int code = runCommandOrWindow(options, commands, gui, folder, argc, argv);
  running.unload();
  // What was not written is no result, whatever the command made of it.
  if (!finishStandardOutput() && (code == kExitOk || code == kExitDiagnostics)) code = kExitFailed;
  return code;
}
