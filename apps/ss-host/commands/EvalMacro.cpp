#include "apps/ss-host/commands/EvalMacro.h"

#include <utility>

#include "apps/ss-host/HostText.h"
#include "apps/ss-host/commands/SheetArgument.h"
#include "platform/base/Cp1252.h"

namespace eval {

namespace {

using hosttext::cp1252;
using hosttext::utf8;

}  // namespace

bool sheetsOf(const Nx_Macro& macro, const Options& o, Nx_StringArray& sheets,
              Nx_StringArray& objects, std::string& error) {
  macro.getStandards(sheets, objects);
  if (o.sheet.empty()) return true;
  Nx_String object = cp1252(o.object);
  if (!o.objectGiven) {
    int at = -1;
    for (int i = 0; i < sheets.length() && at < 0; ++i)
      if (sheetarg::sameSheet(sheets[i], o.sheet)) at = i;
    if (at < 0) {
      error = "macro " + utf8(macro.name()) + " has no sheet \"" + o.sheet +
              "\" attached; give its mapping key with --object";
      return false;
    }
    object = objects[at];
  }
  sheets = {cp1252(o.sheet)};
  objects = {object};
  return true;
}

MacroRun runSheets(MacroEval& context, const Nx_StringArray& sheets,
                   const Nx_StringArray& objects) {
  MacroRun macroRun;
  macroRun.macro = utf8(context.macro().name());
  bool failed = false;
  for (int s = 0; s < sheets.length(); ++s) {
    if (failed) {
      SheetRun skipped;
      skipped.sheet = utf8(sheets[s]);
      skipped.object = utf8(objects[s]);
      macroRun.sheets.push_back(std::move(skipped));
      continue;
    }
    macroRun.sheets.push_back(context.run(sheets[s], objects[s], s + 1 < sheets.length()));
    failed = !macroRun.sheets.back().ok;
  }
  context.store();
  return macroRun;
}

}  // namespace eval
