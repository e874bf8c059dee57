// `ss-host bill LIST [--settings NAME] [--output FILE] [--no-pictures] [--gui]`:
// a bill of material fed from a list file, as the core's list generator
// feeds it, built in the spreadsheet window and saved with its settings.
#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <vector>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostCommand.h"
#include "apps/ss-host/ProcessExit.h"
#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/bill/Nx_Bill.h"
#include "platform/arx/dbmain.h"
#include "platform/base/Cp1252.h"
#include "platform/grid/export/SheetExport.h"
#include "spreadsheet/KvSSBillOutput.h"
#include "spreadsheet/KvSSExport.h"
#include "spreadsheet/KvSSWindow.h"
#include "spreadsheet/KvSSWindowLauncher.h"

namespace {

const char kUsage[] =
    "bill LIST [--settings NAME] [--output FILE] [--export FILE] [--no-pictures] [--gui]";
const char kSummary[] = "Build a bill of material from a list file and save it as a sheet";

const char* kHelp =
    "Usage: ss-host [--library DIR] bill LIST [--settings NAME] [--output FILE]\n"
    "                                    [--export FILE.csv|.xlsx|.pdf] [--no-pictures]\n"
    "                                    [--gui [--screenshot PNG]]\n"
    "Feeds the lines of a bill list (CSV: a caption line, one line per part, \"*\"\n"
    "starting a subtotal line; docs/bill-lists.md) into the spreadsheet window as the\n"
    "core's list generator does, and saves the bill with its settings document.\n\n"
    "  --settings NAME  the settings document NAME.kvd of the library folder\n"
    "                   (default Bill; the editor's default document when unusable)\n"
    "  --output FILE    where the bill is saved (default: LIST with .kvb)\n"
    "  --export FILE    also write the bill as CSV, .xlsx or PDF (by the extension),\n"
    "                   laid out by its settings document (docs/exports.md)\n"
    "  --no-pictures    no part pictures under the lines\n"
    "  --gui            the window stays open on the bill until it is closed\n"
    "  --screenshot PNG with --gui: save a picture of the window, then close it\n\n"
    "Lines at fault (too short, a non-number in a number column, a picture that\n"
    "cannot be read) are reported with file and line; the bill goes on without\n"
    "that cell. Exit codes: 0 done, 4 saved with faults in the list, 1 the list\n"
    "cannot be read or the bill not saved, 2 bad usage.\n";

int usage(const std::string& why) {
  std::fprintf(stderr, "ss-host bill: %s\nRun 'ss-host bill --help' for the usage.\n", why.c_str());
  return kExitUsage;
}

struct BillRun {
  Nx_Bill list;
  Nx_String output;
  Nx_String exportPath;  // empty: no export
  Nx_String settings = "Bill";
  bool pictures = true;
  KvSSBillOutput bill;
  AcDbDatabase database;
  int pictureCount = 0;
};

// Builds and saves the bill; the exit code.
int build(BillRun& run) {
  AcTransaction transaction(run.database);
  if (run.pictures) {
    run.list.pictureFolder = KvSSBillOutput::pictureFolderOf(run.output);
    run.bill.setVars(-1, 0, 0, true, true, &run.list, &transaction);
  }
  if (run.bill.init(run.output, run.list.captions, {}, run.list.kinds, run.settings, {}, {}) !=
      Acad::eOk) {
    std::fprintf(stderr, "ss-host bill: the spreadsheet window cannot be opened\n");
    return kExitFailed;
  }
  run.list.feed(run.bill);
  // Without the pointers the window's bill outlives this scope safely.
  run.bill.setVars(-1, 0, 0, true, true, nullptr, nullptr);
  if (!run.bill.saved()) {
    std::fprintf(stderr, "ss-host bill: %s\n", run.bill.saveError().c_str());
    return kExitFailed;
  }
  KvSSWindow* window = run.bill.launcher().window();
  Nx_String error;
  if (!run.exportPath.isEmpty() &&
      (!window || !exportSpread(window->sheet(), run.exportPath, error))) {
    std::fprintf(
        stderr, "ss-host bill: %s\n",
        base::cp1252ToUtf8((window ? error : Nx_String("no window to export")).str()).c_str());
    return kExitFailed;
  }
  return kExitOk;
}

void closeWindow(BillRun& run) {
  if (KvSSWindow* w = run.bill.launcher().window()) w->requestClose();
}

bool runInWindow(BillRun& run, const std::string& screenshot, int& exitCode) {
  Dl_info self{};
  dladdr(reinterpret_cast<void*>(&runInWindow), &self);
  std::string folder = self.dli_fname ? self.dli_fname : "";
  folder = folder.substr(0, folder.rfind('/') + 1);
  void* gui = dlopen((folder + "libsshost-gui.so").c_str(), RTLD_NOW | RTLD_GLOBAL);
  using RunWindow = int (*)(int (*)(void*), ui::Window* (*)(void*), void*, const char*);
  auto runWindow = gui ? reinterpret_cast<RunWindow>(dlsym(gui, "sshostGuiRunWindow")) : nullptr;
  if (!runWindow) {
    std::fprintf(stderr, "ss-host bill: no window: %s\n", dlerror());
    return false;
  }
  int answer = runWindow(
      [](void* r) { return build(*static_cast<BillRun*>(r)); },
      [](void* r) -> ui::Window* { return static_cast<BillRun*>(r)->bill.launcher().window(); },
      &run, screenshot.empty() ? nullptr : screenshot.c_str());
  exitCode = answer < 0 ? kExitFailed : answer;
  return answer >= 0;
}

int runBill(const std::vector<std::string>& args) {
  std::string listArg, outputArg, exportArg, screenshot;
  BillRun run;
  bool gui = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    if (a == "--help" || a == "-h") {
      std::fputs(kHelp, stdout);
      return kExitOk;
    } else if (a == "--settings") {
      std::string name;
      if (!value(name)) return usage("--settings needs a document name");
      run.settings = base::utf8ToCp1252(name);
    } else if (a == "--output") {
      if (!value(outputArg)) return usage("--output needs a file");
    } else if (a == "--export") {
      if (!value(exportArg)) return usage("--export needs a file");
      if (!grid::exportFormatFor(exportArg))
        return usage("--export takes a .csv, .xlsx or .pdf file, not " + exportArg);
    } else if (a == "--screenshot") {
      if (!value(screenshot)) return usage("--screenshot needs a file");
    } else if (a == "--no-pictures") {
      run.pictures = false;
    } else if (a == "--gui") {
      gui = true;
    } else if (!a.empty() && a[0] == '-') {
      return usage("unknown option " + a);
    } else if (listArg.empty()) {
      listArg = a;
    } else {
      return usage("one list file only");
    }
  }
  if (listArg.empty()) return usage("no list file");
  if (!screenshot.empty() && !gui) return usage("--screenshot goes with --gui");
  Nx_String list = base::utf8ToCp1252(listArg);
  run.output = outputArg.empty() ? changeExtension(list, "kvb") : base::utf8ToCp1252(outputArg);
  run.exportPath = base::utf8ToCp1252(exportArg);

  Nx_StringArray faults;
  bool read = run.list.readList(list, faults);
  for (int i = 0; i < faults.length(); ++i)
    std::fprintf(stderr, "ss-host bill: %s\n", base::cp1252ToUtf8(faults[i].str()).c_str());
  if (!read) return kExitFailed;

  int code = kExitOk;
  if (gui) {
    if (!runInWindow(run, screenshot, code)) return kExitFailed;
  } else {
    code = build(run);
    // Nobody looks at a window of a headless run.
    closeWindow(run);
  }
  if (code != kExitOk) return code;
  int subtotals = 0;
  for (const Nx_Bill::Line& line : run.list.lines) subtotals += line.subtotal ? 1 : 0;
  std::printf("Bill saved: %s (%d lines, %d subtotals)\n",
              base::cp1252ToUtf8(run.output.str()).c_str(),
              static_cast<int>(run.list.lines.size()) - subtotals, subtotals);
  if (!exportArg.empty()) std::printf("Bill exported: %s\n", exportArg.c_str());
  if (!finishStandardOutput()) return kExitFailed;
  return faults.isEmpty() ? kExitOk : kExitDiagnostics;
}

}  // namespace

SSHOST_COMMAND({"bill", kUsage, kSummary, &runBill});
