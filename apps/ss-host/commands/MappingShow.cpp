// `ss-host mapping show SHEET [KEY]`.
#include <algorithm>
#include <cstdio>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/MappingFileLines.h"
#include "apps/ss-host/commands/MappingCommand.h"
#include "apps/ss-host/commands/SheetArgument.h"
#include "mapping/KvSSMapping.h"

namespace mappingcmd {

namespace {

// The entries a line holds, understood or not.
int rawEntryCount(const Nx_String& line) {
  int eq = line.find('=');
  if (eq < 0 || eq + 1 >= line.length()) return 0;
  const std::string rest = line.mid(eq + 1).str();
  return 1 + static_cast<int>(std::count(rest.begin(), rest.end(), kMappingEntrySeparator));
}

void printLine(const Nx_String& line) {
  KvSSMapping mapping;
  mapping.initMappingFromLine(line);
  const auto& entries = mapping.mappedObjects();
  std::printf("Key %s: %d entr%s\n", utf8(MappingFileLines::keyOf(line)).c_str(), entries.length(),
              entries.length() == 1 ? "y" : "ies");
  size_t width = 8;
  for (const KvObjectMap& e : entries) width = std::max(width, utf8(e.ssVarName).size());
  for (const KvObjectMap& e : entries)
    std::printf("  %-*s  <- %s\n", static_cast<int>(width), utf8(e.ssVarName).c_str(),
                describe(e).c_str());
  if (int dropped = rawEntryCount(line) - entries.length(); dropped > 0)
    std::printf("  (%d entr%s not understood: no variable name, no kind or an unknown kind)\n",
                dropped, dropped == 1 ? "y" : "ies");
}

}  // namespace

int show(const std::vector<std::string>& args) {
  if (args.size() < 2 || args.size() > 3) return usage("show takes SHEET [KEY]");
  std::string sheet, error;
  if (!sheetarg::resolveSheet(args[1], sheet, error)) return failure(error);
  const std::string path = mappingPath(sheet);
  MappingFileLines file;
  if (!file.read(path, error)) return failure(error);
  const std::vector<Nx_String> lines = file.mappingLines();
  std::printf("%s: %zu mapping line%s%s\n", path.c_str(), lines.size(),
              lines.size() == 1 ? "" : "s",
              file.usesUtf8() ? " (separators written in UTF-8)" : "");
  bool found = args.size() == 2;
  for (const Nx_String& line : lines) {
    if (args.size() == 3 && utf8(MappingFileLines::keyOf(line)) != args[2]) continue;
    found = true;
    printLine(line);
  }
  if (!found) return failure(path + " has no line for the key \"" + args[2] + "\"");
  return kExitOk;
}

}  // namespace mappingcmd
