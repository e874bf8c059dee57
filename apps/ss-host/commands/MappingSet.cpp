// `ss-host mapping set SHEET KEY VAR=GROUP:KIND:NAME...`.
#include <cstdio>
#include <set>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/MappingFileLines.h"
#include "apps/ss-host/commands/MappingCommand.h"
#include "apps/ss-host/commands/SheetArgument.h"
#include "mapping/KvSSMapping.h"
#include "platform/base/Cp1252.h"

namespace mappingcmd {

namespace {

// Text the line can hold: Windows-1252 without the separators or line ends.
bool toLineText(const std::string& in, Nx_String& out) {
  const std::string bytes = base::utf8ToCp1252(in);
  if (base::cp1252ToUtf8(bytes) != in) return false;
  for (char c : bytes)
    if (c == kMappingEntrySeparator || c == kMappingNameSeparator || c == kMacroPartSeparator ||
        c == '\n' || c == '\r' || c == '=')
      return false;
  out = Nx_String(bytes);
  return true;
}

bool kindOf(const std::string& keyword, KvObjectKind& kind) {
  for (int k = 1; k < kObjectKindCount; ++k)
    if (Nx_String(objectKindKeyword(static_cast<KvObjectKind>(k))).equal(keyword.c_str(), false)) {
      kind = static_cast<KvObjectKind>(k);
      return true;
    }
  return false;
}

// VAR=GROUP:KIND:NAME as an entry; the reason it is not one, or "".
std::string parseEntry(const std::string& word, KvObjectMap& entry) {
  size_t eq = word.find('=');
  size_t c1 = eq == std::string::npos ? eq : word.find(':', eq + 1);
  size_t c2 = c1 == std::string::npos ? c1 : word.find(':', c1 + 1);
  if (eq == 0 || c2 == std::string::npos) return "'" + word + "' is not VAR=GROUP:KIND:NAME";
  const std::string var = word.substr(0, eq), group = word.substr(eq + 1, c1 - eq - 1),
                    keyword = word.substr(c1 + 1, c2 - c1 - 1), name = word.substr(c2 + 1);
  if (!kindOf(keyword, entry.kind)) return "'" + word + "': no kind '" + keyword + "'";
  if (!toLineText(var, entry.ssVarName) || !toLineText(group, entry.objectName) ||
      !toLineText(name, entry.varName))
    return "'" + word + "': a name holds a character a mapping line cannot";
  const bool macroLevel = objectKindLevel(entry.kind) == kLevelMacro;
  if (macroLevel && !group.empty())
    return "'" + word + "': " + keyword + " is a value of the macro itself: leave GROUP empty";
  if (!macroLevel && group.empty())
    return "'" + word + "': " + keyword + " is a value of a module group: give GROUP";
  return {};
}

}  // namespace

int set(const std::vector<std::string>& args) {
  if (args.size() < 4) return usage("set takes SHEET KEY VAR=GROUP:KIND:NAME...");
  Nx_String key;
  if (!toLineText(args[2], key) || key.isEmpty()) return usage("'" + args[2] + "' is no key");
  Nx_String line = key + "=";
  std::set<std::string> names;
  for (size_t i = 3; i < args.size(); ++i) {
    KvObjectMap entry;
    if (std::string why = parseEntry(args[i], entry); !why.empty()) return usage(why);
    if (!names.insert(entry.ssVarName.lower().str()).second)
      return usage("the variable " + utf8(entry.ssVarName) + " is given twice");
    Nx_String macroPart, ssVarName;
    if (entry.setMappingToStrs(macroPart, ssVarName) != Acad::eOk)
      return usage("'" + args[i] + "' cannot be written");
    if (i > 3) line += kMappingEntrySeparator;
    line += ssVarName + kMappingNameSeparator + macroPart;
  }
  // What the engine will read back must be what was asked for.
  KvSSMapping check;
  if (check.initMappingFromLine(line) != Acad::eOk ||
      check.mappedObjects().length() != static_cast<int>(args.size() - 3))
    return failure("the line would not read back as given");

  std::string sheet, error;
  if (!sheetarg::resolveSheet(args[1], sheet, error)) return failure(error);
  const std::string path = mappingPath(sheet);
  MappingFileLines file;
  if (!file.read(path, error) || !file.setLine(path, key, line, error)) return failure(error);
  std::printf("%s: key %s set, %zu entr%s\n", path.c_str(), args[2].c_str(), args.size() - 3,
              args.size() - 3 == 1 ? "y" : "ies");
  return kExitOk;
}

}  // namespace mappingcmd
