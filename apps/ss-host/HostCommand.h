#pragma once
#include <string>
#include <vector>

// A headless command of the host program: `ss-host [global options] NAME args...`.
// Each command lives in its own file under commands/ and registers itself with
// SSHOST_COMMAND({"name", "usage", "summary", &run}) (braces optional). The
// dispatcher applies the global options (library folder, configuration file,
// ...) before it runs the command.
struct HostCommand {
  const char* name;     // as typed: "calc"
  const char* usage;    // "calc FILE [--json]"
  const char* summary;  // one line for `ss-host --help`
  // args are the words after the command name; returns the exit code.
  // Every command answers --help itself.
  int (*run)(const std::vector<std::string>& args);
};

class HostCommands {
 public:
  static bool add(const HostCommand& command);
  static bool add(const char* name, const char* usage, const char* summary,
                  int (*run)(const std::vector<std::string>& args)) {
    return add(HostCommand{name, usage, summary, run});
  }
  static const HostCommand* find(const std::string& name);
  static const std::vector<HostCommand>& all();
};

#define SSHOST_CONCAT2(a, b) a##b
#define SSHOST_CONCAT(a, b) SSHOST_CONCAT2(a, b)
#define SSHOST_COMMAND(...) \
  static const bool SSHOST_CONCAT(sshostRegistered_, __LINE__) = HostCommands::add(__VA_ARGS__)
