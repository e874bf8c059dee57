#include <algorithm>

#include "apps/ss-host/HostCommand.h"

namespace {
std::vector<HostCommand>& registry() {
  static std::vector<HostCommand> commands;
  return commands;
}
}  // namespace

bool HostCommands::add(const HostCommand& command) {
  auto& r = registry();
  auto at = std::lower_bound(
      r.begin(), r.end(), command,
      [](const HostCommand& a, const HostCommand& b) { return std::string(a.name) < b.name; });
  r.insert(at, command);
  return true;
}

const HostCommand* HostCommands::find(const std::string& name) {
  for (const HostCommand& c : registry())
    if (name == c.name) return &c;
  return nullptr;
}

const std::vector<HostCommand>& HostCommands::all() {
  return registry();
}
