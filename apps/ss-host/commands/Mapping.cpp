// `ss-host mapping`: the mapping files of the standards sheets for authors
// without the mapping page: show them readably, check one against a macro,
// set one line, make a key.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostCommand.h"
#include "apps/ss-host/MappingFileLines.h"
#include "apps/ss-host/commands/MappingCommand.h"
#include "apps/ss-host/commands/SheetArgument.h"
#include "mapping/KvSSMapping.h"
#include "platform/base/Cp1252.h"

namespace {

const char kUsage[] = "mapping show|check|set|new-key ...";
const char kSummary[] = "Show, check and write the mapping lines of a standards sheet";

void printHelp() {
  std::printf(
      "Usage: ss-host --library DIR mapping show SHEET [KEY]\n"
      "       ss-host --library DIR mapping check DRAWING MACRO SHEET\n"
      "       ss-host --library DIR mapping set SHEET KEY VAR=GROUP:KIND:NAME...\n"
      "       ss-host mapping new-key\n"
      "%s.\n\n"
      "SHEET is a sheet's name in \"Connection Standards\" (with or without .kvs) or the\n"
      "path of a sheet file; its mapping file lies beside it (extension .map).\n\n"
      "  show    every mapping line (or KEY's): each sheet variable with the group,\n"
      "          kind and name of the macro value it binds\n"
      "  check   the line of MACRO's attachment of SHEET, entry by entry: the kind and\n"
      "          group, whether MACRO has the value, whether the sheet declares the\n"
      "          variable with a fitting type and kind; and the declared Inputs and\n"
      "          Outputs that no entry binds\n"
      "  set     writes KEY's line with these entries, replacing the line the key had;\n"
      "          the other lines stay byte for byte. GROUP is empty for values of the\n"
      "          macro itself (\"Overhang=:GenVar:gen_PlateOverhang\"); NAME may be empty\n"
      "          (\"BoltDiameter=Bolts:BoltsDiameter:\")\n"
      "  new-key prints a fresh 24-character mapping key\n\n"
      "Exit codes: 0 done (check: every entry fits), 1 check found problems or a file\n"
      "could not be read or written, 2 bad usage.\n",
      kSummary);
}

int newKey(const std::vector<std::string>& args) {
  if (args.size() != 1) return mappingcmd::usage("new-key takes no arguments");
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device device;
  std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof(kLetters)) - 2);
  std::string key;
  for (int i = 0; i < 24; ++i) key += kLetters[pick(device)];
  std::printf("%s\n", key.c_str());
  return kExitOk;
}

int runMapping(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      printHelp();
      return kExitOk;
    }
  }
  if (args.empty()) return mappingcmd::usage("say show, check, set or new-key");
  const std::string& what = args[0];
  if (what == "show") return mappingcmd::show(args);
  if (what == "check") return mappingcmd::check(args);
  if (what == "set") return mappingcmd::set(args);
  if (what == "new-key") return newKey(args);
  return mappingcmd::usage("unknown part '" + what + "': say show, check, set or new-key");
}

}  // namespace

namespace mappingcmd {

std::string utf8(const Nx_String& text) {
  return base::cp1252ToUtf8(text.str());
}

int usage(const std::string& why) {
  std::fprintf(stderr, "ss-host mapping: %s\nRun 'ss-host mapping --help' for the usage.\n",
               why.c_str());
  return kExitUsage;
}

int failure(const std::string& why) {
  std::fprintf(stderr, "ss-host mapping: %s\n", why.c_str());
  return kExitFailed;
}

std::string mappingPath(const std::string& sheet) {
  return KvSSMapping::mappingFilePath(Nx_String(base::utf8ToCp1252(sheet))).str();
}

std::string describe(const KvObjectMap& entry) {
  std::string text = entry.objectName.isEmpty() ? "(macro)" : utf8(entry.objectName);
  text += std::string(" ") + objectKindKeyword(entry.kind);
  if (!entry.varName.isEmpty()) text += " " + utf8(entry.varName);
  return text;
}

}  // namespace mappingcmd

SSHOST_COMMAND({"mapping", kUsage, kSummary, &runMapping});
