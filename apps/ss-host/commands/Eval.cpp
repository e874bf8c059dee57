// `ss-host eval DRAWING [MACRO]`: runs the standards attached to the macros
// of a drawing, as the core's "load from standards" does, and shows every
// variable of every sheet before and after, with the run's diagnostics.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostCommand.h"
#include "apps/ss-host/commands/EvalOptions.h"
#include "apps/ss-host/commands/EvalReport.h"
#include "apps/ss-host/commands/EvalRun.h"
#include "apps/ss-host/commands/SheetArgument.h"
#include "common/SSExports.h"
#include "core/Nx_Settings.h"
#include "core/macro/Nx_Drawing.h"
#include "platform/arx/acutil.h"
#include "platform/base/Cp1252.h"

namespace {

const char kUsage[] = "eval DRAWING [MACRO] [--sheet NAME [--object KEY]] [--set NAME=VALUE]...";
const char kSummary[] = "Run the standards of a drawing's macros and show their variables";

void printHelp() {
  std::printf(
      "Usage: ss-host --library DIR [options] %s\n"
      "          [--messages] [--save | --output FILE] [--force] [--json]\n"
      "%s.\n\n"
      "Runs, for each macro of DRAWING (or only MACRO), the standards sheets attached to\n"
      "it, in their order, as \"load from standards\" does: each sheet against the macro,\n"
      "its variables bound by the mapping key of the attachment (a line of the sheet's\n"
      ".map file) or, for \"Module.GROUP\", by name on the modules of that group. The\n"
      "general variables of the macro replace their names in the sheet. A failed run\n"
      "ends the macro's remaining sheets.\n\n"
      "Prints a table per sheet: every variable with its kind (Input, Output, Local),\n"
      "its type, the macro's value before the run and the sheet's value after it (a\n"
      "Local as its cell holds it); \"*\" marks values the run changed in the macro,\n"
      "\"?\" values the macro does not have. Each sheet's status line is \"ok\" only for\n"
      "a clean run; the run's diagnostics (a failed equation, an unbound variable, a\n"
      "missing data file, ...) are listed under it, with or without --messages.\n\n"
      "  --sheet NAME       run this sheet instead of the attached ones: a name in\n"
      "                     \"Connection Standards\" (\"NAME\" or \"NAME.kvs\") or the path\n"
      "                     of a sheet file; without MACRO, on every macro that has it\n"
      "                     attached\n"
      "  --object KEY       the mapping key or \"Module.GROUP\" for --sheet (default: the\n"
      "                     macro's own attachment of that sheet)\n"
      "  --set NAME=VALUE   override a general variable of the macros for the run\n"
      "                     (repeatable); VALUE is a number\n"
      "  --messages         also print the sheet author's messages (on stderr)\n"
      "  --save             write the changed drawing back to DRAWING\n"
      "  --output FILE      write the changed drawing to FILE\n"
      "  --force            write it even when runs had diagnostics\n"
      "  --json             print the results as JSON\n\n"
      "The drawing is written only when every run succeeded, and, without --force,\n"
      "had no diagnostics. Command-line messages of the module go to stderr.\n"
      "Exit codes: 0 every run was clean, 4 the runs completed with diagnostics,\n"
      "1 a run failed or a file could not be read or written, 2 bad usage.\n",
      kUsage, kSummary);
}

int usage(const std::string& why) {
  std::fprintf(stderr, "ss-host eval: %s\nRun 'ss-host eval --help' for the options.\n",
               why.c_str());
  return kExitUsage;
}

int failure(const std::string& why) {
  std::fprintf(stderr, "ss-host eval: %s\n", why.c_str());
  return kExitFailed;
}

std::string utf8(const Nx_String& text) {
  return base::cp1252ToUtf8(text.str());
}

Nx_String cp1252(const std::string& text) {
  return Nx_String(base::utf8ToCp1252(text));
}

// The sheets to run on a macro: its attachments, or the one --sheet names.
bool sheetsOf(const Nx_Macro& macro, const eval::Options& o, Nx_StringArray& sheets,
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

// Every --set names a general variable of a macro that runs, with a number.
std::string checkOverrides(Nx_Drawing& drawing, const AcArray<AcDbObjectId>& ids,
                           const eval::Options& o) {
  for (const auto& [name, value] : o.sets) {
    double number = 0;
    if (!cp1252(value).toDouble(number))
      return "--set " + name + "=" + value + ": a general variable takes a number";
    bool known = false;
    AcTransaction tr(drawing.database());
    for (int i = 0; i < ids.length() && !known; ++i) {
      Nx_DbMacro* macro = nullptr;
      if (tr.getObject(macro, ids[i], AcDb::kForRead) == Acad::eOk)
        known = macro->getMacro()->hasGeneralVariable(cp1252(name));
    }
    if (!known) return "--set " + name + ": no macro that runs has a general variable of that name";
  }
  return {};
}

void printRemarks(const eval::Report& report) {
  for (const eval::MacroRun& m : report.macros)
    for (const eval::SheetRun& s : m.sheets) {
      for (const std::string& w : s.warnings)
        std::fprintf(stderr, "ss-host eval: %s, %s: %s\n", m.macro.c_str(), s.sheet.c_str(),
                     w.c_str());
      if (s.ran && !s.ok)
        std::fprintf(stderr, "ss-host eval: %s, %s failed: %s\n", m.macro.c_str(), s.sheet.c_str(),
                     s.error.c_str());
      else if (!s.diagnostics.empty())
        std::fprintf(stderr, "ss-host eval: %s, %s: %zu diagnostic%s\n", m.macro.c_str(),
                     s.sheet.c_str(), s.diagnostics.size(), s.diagnostics.size() == 1 ? "" : "s");
    }
}

// Writes the drawing when the runs allow it; false only when writing failed.
bool saveDrawing(const Nx_Drawing& drawing, const std::string& target, const eval::Options& o,
                 eval::Report& report) {
  if (report.anyFailed()) {
    std::fprintf(stderr, "ss-host eval: %s not written, as a run failed\n", target.c_str());
    return true;
  }
  if (int n = report.diagnosticCount(); n > 0 && !o.force) {
    std::fprintf(stderr,
                 "ss-host eval: %s not written: the runs had %d diagnostic%s (give --force to "
                 "write it anyway)\n",
                 target.c_str(), n, n == 1 ? "" : "s");
    return true;
  }
  Nx_String error;
  if (!drawing.save(target.c_str(), error)) {
    std::fprintf(stderr, "ss-host eval: %s\n", utf8(error).c_str());
    return false;
  }
  report.savedTo = target;
  return true;
}

int runEval(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      printHelp();
      return kExitOk;
    }
  }
  eval::Options options;
  if (std::string why = eval::parseOptions(args, options); !why.empty()) return usage(why);
  if (std::string why = eval::checkLibraryAndSheet(options); !why.empty()) return failure(why);

  // The shadow holds the values before each run (see EvalRun.h).
  Nx_Drawing drawing, shadow;
  Nx_String error;
  if (!drawing.load(options.drawing.c_str(), error) || !shadow.load(options.drawing.c_str(), error))
    return failure(utf8(error));
  AcArray<AcDbObjectId> all, shadowIds, ids;
  drawing.getMacroIds(all);
  shadow.getMacroIds(shadowIds);
  std::vector<int> picked;
  const AcDbObjectId named =
      options.macro.empty() ? AcDbObjectId() : drawing.findMacro(cp1252(options.macro));
  for (int i = 0; i < all.length(); ++i)
    if (options.macro.empty() || all[i] == named) {
      picked.push_back(i);
      ids.append(all[i]);
    }
  if (!options.macro.empty() && picked.empty())
    return failure(options.drawing + " has no macro \"" + options.macro + "\"");
  if (std::string why = checkOverrides(drawing, ids, options); !why.empty()) return usage(why);

  eval::Report report;
  report.drawing = options.drawing;
  report.library = utf8(gSettings.libDir);
  for (int i : picked) {
    eval::MacroEval context(drawing, all[i], shadow, shadowIds[i], options);
    if (!context.isOpen()) continue;
    Nx_StringArray sheets, objects;
    std::string why;
    if (!sheetsOf(context.macro(), options, sheets, objects, why)) {
      // Without MACRO, --sheet picks the macros that have the sheet attached.
      if (options.macro.empty()) continue;
      return failure(why);
    }
    eval::MacroRun macroRun;
    macroRun.macro = utf8(context.macro().name());
    bool failed = false;
    for (int s = 0; s < sheets.length(); ++s) {
      if (failed) {
        eval::SheetRun skipped;
        skipped.sheet = utf8(sheets[s]);
        skipped.object = utf8(objects[s]);
        macroRun.sheets.push_back(std::move(skipped));
        continue;
      }
      macroRun.sheets.push_back(context.run(sheets[s], objects[s]));
      failed = !macroRun.sheets.back().ok;
    }
    context.store();
    report.macros.push_back(std::move(macroRun));
  }
  if (report.macros.empty() && !options.sheet.empty())
    return failure("no macro of " + options.drawing + " has the sheet \"" + options.sheet +
                   "\" attached");

  int code = report.anyFailed()             ? kExitFailed
             : report.diagnosticCount() > 0 ? kExitDiagnostics
                                            : kExitOk;
  const std::string target = options.save ? options.drawing : options.output;
  if (!target.empty() && !saveDrawing(drawing, target, options, report)) code = kExitFailed;
  printRemarks(report);
  std::string text = options.json ? eval::formatJson(report) : eval::formatText(report);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return code;
}

}  // namespace

SSHOST_COMMAND({"eval", kUsage, kSummary, &runEval});
