// The command library's entries, called by the loader once the module runs.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostCommand.h"
#include "apps/ss-host/ProcessExit.h"
#include "core/FileHelpers.h"
#include "core/Nx_Settings.h"

#define SSHOST_ENTRY extern "C" __attribute__((visibility("default")))

namespace {
void printHelp() {
  std::printf(
      "Usage: ss-host [options] COMMAND [arguments]\n"
      "       ss-host [options] --gui\n"
      "Runs the connection-standards module as the CAD application would and calls it.\n\n%s\n"
      "Commands:\n",
      globalOptionsHelp());
  size_t width = 0;
  for (const HostCommand& c : HostCommands::all()) width = std::max(width, std::strlen(c.usage));
  for (const HostCommand& c : HostCommands::all())
    std::printf("  %-*s  %s\n", static_cast<int>(width), c.usage, c.summary);
  std::printf(
      "\nExit codes: 0 done, 1 the command failed, 2 bad usage, 3 a library could not be\n"
      "loaded, 4 the standards ran with diagnostics (the results are not clean).\n");
}

int usageError(const std::string& why) {
  std::fprintf(stderr, "ss-host: %s\nRun 'ss-host --help' for the options and commands.\n",
               why.c_str());
  return kExitUsage;
}

// The configuration file first, so that the options given with it win.
int apply(const GlobalOptions& options) {
  if (!options.configFile.empty()) {
    Nx_String error;
    if (!gSettings.readConfigFile(options.configFile.c_str(), &error)) {
      std::fprintf(stderr, "ss-host: %s\n", error.c_str());
      return kExitUsage;
    }
  }
  if (!options.libraryDir.empty()) gSettings.setLibDir(options.libraryDir.c_str());
  if (options.messages) gSettings.showStandardsMessages = true;
  // A library folder that is not there explains most of what would follow.
  if (!gSettings.libDir.isEmpty() && !folderExists(gSettings.libDir)) {
    std::fprintf(stderr, "ss-host: library folder '%s' does not exist\n", gSettings.libDir.c_str());
    return kExitFailed;
  }
  return kExitOk;
}
}  // namespace

// Applies the global options to the core's settings; an exit code.
SSHOST_ENTRY int sshostApplyGlobalOptions(int argc, char** argv) {
  GlobalOptions options = parseGlobalOptions(argc, argv);
  if (!options.error.empty()) return usageError(options.error);
  return apply(options);
}

// Runs the command of the command line; the exit code.
SSHOST_ENTRY int sshostMain(int argc, char** argv) {
  GlobalOptions options = parseGlobalOptions(argc, argv);
  if (!options.error.empty()) return usageError(options.error);
  if (options.help) {
    printHelp();
    return kExitOk;
  }
  const HostCommand* command = HostCommands::find(options.command);
  if (!command) return usageError("unknown command '" + options.command + "'");
  // eval takes --messages after its command word as well.
  const bool takesMessages = options.command == "eval";
  // csp and bill open a window of their own with --gui after the command word.
  std::vector<std::string> checked = options.args;
  if (options.command == "csp" || options.command == "bill") std::erase(checked, "--gui");
  if (std::string option = misplacedGlobalOption(checked, takesMessages); !option.empty())
    return usageError("option '" + option + "' belongs before the command word: ss-host " + option +
                      (option == "--library"  ? " DIR "
                       : option == "--config" ? " FILE "
                                              : " ") +
                      options.command + " ...");
  if (int code = apply(options); code != kExitOk) return code;
  // Nobody answers dialogs in a headless run: the dialog kit's built-in
  // backend is the non-interactive one (every default taken, every text on
  // standard error). It stays in place as long as the module's windows may
  // live, which a backend installed here would not.
  std::fflush(stdout);
  hostexit::endsWithCommand();
  return command->run(options.args);
}
