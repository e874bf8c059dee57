// `ss-host eval DRAWING [MACRO]`: runs the standards attached to the macros
// of a drawing, as the core's "load from standards" does, and shows every
// variable of every sheet before and after, with the run's diagnostics.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostCommand.h"
#include "apps/ss-host/HostText.h"
#include "apps/ss-host/ProcessExit.h"
#include "apps/ss-host/commands/EvalBatch.h"
#include "apps/ss-host/commands/EvalHeap.h"
#include "apps/ss-host/commands/EvalMacro.h"
#include "apps/ss-host/commands/EvalOptions.h"
#include "apps/ss-host/commands/EvalReport.h"
#include "apps/ss-host/commands/EvalRun.h"
#include "apps/ss-host/commands/EvalSummary.h"
#include "apps/ss-host/commands/EvalWatch.h"
#include "common/SSExports.h"
#include "core/Nx_Settings.h"
#include "core/macro/DrawingSlices.h"
#include "core/macro/Nx_Drawing.h"
#include "platform/arx/acutil.h"
#include "platform/base/AtomicFile.h"
#include "platform/base/Cp1252.h"

namespace {

const char kUsage[] = "eval DRAWING [MACRO] [--sheet NAME [--object KEY]] [--set NAME=VALUE]...";
const char kSummary[] = "Run the standards of a drawing's macros and show their variables";

void printHelp() {
  std::printf(
      "Usage: ss-host --library DIR [options] %s\n"
      "          [--messages] [--save | --output FILE] [--force] [--json] [--trace]\n"
      "          [--all [--jobs N] [--keep-going-save] | --watch]\n"
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
      "  --json             print the results as JSON\n"
      "  --trace            show every Calc cell as computed: the equation with its\n"
      "                     variables as cell references, its value, the variables it\n"
      "                     read and wrote; a child run's cells under its CallChild\n"
      "  --all              every macro, in worker processes; prints a summary and\n"
      "                     writes the drawing once at the end (to DRAWING unless\n"
      "                     --output); a progress bar when stderr is a terminal\n"
      "  --jobs N           workers for --all (default: one per processor)\n"
      "  --keep-going-save  with --all, write the results although macros failed;\n"
      "                     the failed macros stay as they were\n"
      "  --watch            run again whenever the drawing or a file of the\n"
      "                     standards folders changes, until Ctrl-C\n\n"
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

using hosttext::cp1252;
using hosttext::utf8;

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

// Diagnostics of the macros whose runs all completed: those a save keeps.
int keptDiagnostics(const eval::Report& report) {
  int n = 0;
  for (const eval::MacroRun& m : report.macros) n += m.keptDiagnosticCount();
  return n;
}

// Writes the drawing when the runs allow it; false only when writing failed.
// A batch brings its file along, written as its runs came (EvalBatchFile.h).
bool saveDrawing(Nx_Drawing* drawing, eval::BatchFile* file, const std::string& target,
                 const eval::Options& o, eval::Report& report) {
  if (report.anyFailed() && !o.keepGoingSave) {
    std::fprintf(stderr, "ss-host eval: %s not written, as a run failed%s\n", target.c_str(),
                 o.all ? " (give --keep-going-save to write the other macros' results)" : "");
    return true;
  }
  if (int n = keptDiagnostics(report); n > 0 && !o.force) {
    std::fprintf(stderr,
                 "ss-host eval: %s not written: the runs had %d diagnostic%s (give --force to "
                 "write it anyway)\n",
                 target.c_str(), n, n == 1 ? "" : "s");
    return true;
  }
  Nx_String error;
  if (file ? !file->save(error) : !drawing->save(target.c_str(), error)) {
    std::fprintf(stderr, "ss-host eval: %s\n", utf8(error).c_str());
    return false;
  }
  report.savedTo = target;
  return true;
}

// The macros one at a time in this process, each against the shadow.
int evaluateInProcess(Nx_Drawing& drawing, const std::vector<int>& picked,
                      const eval::Options& options, eval::Report& report) {
  AcArray<AcDbObjectId> all;
  drawing.getMacroIds(all);
  for (int i : picked) {
    // The shadow holds the values before each run (see EvalRun.h).
    Nx_Drawing shadow;
    const AcDbObjectId shadowId = shadow.addCopyOf(drawing, all[i]);
    eval::MacroEval context(drawing, all[i], shadow, shadowId, options);
    if (!context.isOpen()) continue;
    Nx_StringArray sheets, objects;
    std::string why;
    if (!eval::sheetsOf(context.macro(), options, sheets, objects, why)) {
      // Without MACRO, --sheet picks the macros that have the sheet attached.
      if (options.macro.empty()) continue;
      return failure(why);
    }
    report.macros.push_back(eval::runSheets(context, sheets, objects));
  }
  return kExitOk;
}

eval::Report newReport(const eval::Options& options) {
  eval::Report report;
  report.drawing = options.drawing;
  report.library = utf8(gSettings.libDir);
  report.traced = options.trace;
  return report;
}

std::string saveTarget(const eval::Options& options) {
  return options.save ? options.drawing : options.output;
}

// The runs done: the save they allow, the remarks and the report; the exit code.
int conclude(const eval::Options& options, eval::Report& report, Nx_Drawing* drawing,
             eval::BatchFile* file, int workers) {
  if (report.macros.empty() && !options.sheet.empty())
    return failure("no macro of " + options.drawing + " has the sheet \"" + options.sheet +
                   "\" attached");
  int code = report.anyFailed()             ? kExitFailed
             : report.diagnosticCount() > 0 ? kExitDiagnostics
                                            : kExitOk;
  const std::string target = saveTarget(options);
  if (!target.empty() && !saveDrawing(drawing, file, target, options, report)) code = kExitFailed;
  printRemarks(report);
  std::string out;
  if (options.all) {
    const eval::Summary summary = eval::summarize(report);
    report.summary = eval::summaryJson(summary, workers);
    out = options.json ? eval::formatJson(report)
                       : eval::formatSummary(summary, report, report.summary["workers"]);
  } else {
    out = options.json ? eval::formatJson(report) : eval::formatText(report);
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
  return code;
}

// `--all`: the workers load the macros they run, so the drawing is only cut
// into its macros here. A drawing laid out otherwise than the writer lays
// it out, or --set, which is checked against every macro first, is loaded
// here; the workers then take the macros as the writer would lay them out.
int evaluateAll(const eval::Options& options, std::string text) {
  const Nx_String name(options.drawing);
  std::vector<std::string_view> macros;
  const bool sliced = drawing::sliceDrawing(text, macros);
  if (!sliced || !options.sets.empty()) {
    Nx_Drawing drawing;
    Nx_String error;
    if (!drawing.loadText(text, name, error)) return failure(utf8(error));
    AcArray<AcDbObjectId> ids;
    drawing.getMacroIds(ids);
    if (std::string bad = checkOverrides(drawing, ids, options); !bad.empty()) return usage(bad);
    if (!sliced && !drawing::sliceDrawing(text = drawing.toJson(), macros))
      return failure(options.drawing + ": the drawing cannot be cut into its macros");
  }
  eval::Report report = newReport(options);
  const int jobs = options.jobs > 0 ? options.jobs : eval::defaultJobs();
  const std::string target = saveTarget(options);
  const int count = static_cast<int>(macros.size());
  std::optional<eval::BatchFile> file;
  if (!target.empty()) file.emplace(target, options);
  std::string why;
  switch (eval::runBatch({std::move(macros), name, jobs, target}, options, report,
                         file ? &*file : nullptr, why)) {
    case eval::BatchEnd::kDone:
      break;
    case eval::BatchEnd::kFailed:
      return failure(why);
    case eval::BatchEnd::kNotLoading: {
      file.reset();
      Nx_Drawing drawing;
      Nx_String error;
      if (!drawing.loadText(text, name, error)) return failure(utf8(error));
      return failure(options.drawing + ": a macro of the drawing does not load alone");
    }
  }
  const int code = conclude(options, report, nullptr, file ? &*file : nullptr,
                            std::min(jobs, std::max(1, count)));
  // A batch's reports are large: they go with the process.
  file.reset();
  hostexit::leaveIfDone(code);
  return code;
}

// One evaluation as the options ask: runs, saves, prints; the exit code.
int evaluate(const eval::Options& options) {
  std::string text, why;
  if (options.all) eval::preferLargePages();
  if (!base::readWholeFile(options.drawing, text, &why)) return failure(why);
  if (options.all) return evaluateAll(options, std::move(text));
  Nx_Drawing drawing;
  Nx_String error;
  if (!drawing.loadText(text, Nx_String(options.drawing), error)) return failure(utf8(error));
  AcArray<AcDbObjectId> all, ids;
  drawing.getMacroIds(all);
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
  if (std::string bad = checkOverrides(drawing, ids, options); !bad.empty()) return usage(bad);

  eval::Report report = newReport(options);
  if (int code = evaluateInProcess(drawing, picked, options, report); code != kExitOk) return code;
  return conclude(options, report, &drawing, nullptr, 1);
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
  if (options.watch) return eval::watch(options, [&] { return evaluate(options); });
  return evaluate(options);
}

}  // namespace

SSHOST_COMMAND({"eval", kUsage, kSummary, &runEval});
