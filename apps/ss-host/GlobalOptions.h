#pragma once
#include <string>
#include <vector>

// The options before the command word: `ss-host [options] COMMAND [args]`.
// Both the loader and the command library read them with this one parser.
struct GlobalOptions {
  std::string libraryDir;                  // --library DIR; empty when not given
  std::string configFile;                  // --config FILE; empty when not given
  bool messages = false;                   // --messages
  bool gui = false;                        // --gui
  std::vector<std::string> windowOptions;  // --drawing, --command ... (for the window)
  bool help = false;                       // --help, -h
  bool version = false;                    // --version
  std::string command;                     // the command word; empty when none
  std::vector<std::string> args;           // the words after the command word
  std::string error;                       // why the command line is wrong; empty when it is fine
};

GlobalOptions parseGlobalOptions(int argc, const char* const* argv);

// The lines of `ss-host --help` that describe the global options.
const char* globalOptionsHelp();

// Exit codes of the host program.
enum HostExit : int {
  kExitOk = 0,
  kExitFailed = 1,      // the command ran and failed
  kExitUsage = 2,       // bad option, unknown command, bad arguments
  kExitNoModule = 3,    // a library could not be loaded
  kExitDiagnostics = 4  // the command ran, but its runs reported diagnostics
};

// The global option among a command's words, or "" when there is none:
// `ss-host eval X --library DIR` puts it where the command cannot see it.
// `--messages` counts only for commands that do not take it themselves.
std::string misplacedGlobalOption(const std::vector<std::string>& args, bool takesMessages);
