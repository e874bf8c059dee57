#pragma once
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/arx/acutil.h"

// `ss-host calc SHEET.kvs`: the standards sheet computed as CallChild would
// run it, its Inputs given with --set; prints every Input and Output and
// the run's diagnostics. The exit code.
int calcStandardsSheet(const std::string& file,
                       const std::vector<std::pair<std::string, std::string>>& sets, bool json);

// Keeps the module's command-line lines off the result (on stderr).
class CommandLineToStderr {
 public:
  CommandLineToStderr()
      : previous_(acutSetPrintSink(
            [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); })) {}
  ~CommandLineToStderr() { acutSetPrintSink(previous_); }
  CommandLineToStderr(const CommandLineToStderr&) = delete;
  CommandLineToStderr& operator=(const CommandLineToStderr&) = delete;

 private:
  AcutPrintSink previous_;
};
