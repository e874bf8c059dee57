// `ss-host calc FILE [--json]`: load a sheet, recalculate it, print its
// values; with a library folder the standards functions are there, and a
// standards sheet (.kvs) is computed as a child run.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostCommand.h"
#include "apps/ss-host/LibraryContents.h"
#include "apps/ss-host/ProcessExit.h"
#include "apps/ss-host/commands/CalcListing.h"
#include "apps/ss-host/commands/CalcStandardsSheet.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"
#include "platform/base/Cp1252.h"
#include "platform/grid/NumberText.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/export/SheetExport.h"
#include "spreadsheet/KvFromTable.h"
#include "standards/KvSSFunctions.h"

namespace {

const char kUsage[] = "calc FILE [--json] [--set NAME=VALUE]... [--export FILE.csv|.xlsx|.pdf]";
const char kSummary[] = "Load a sheet, recalculate it and print its values";

const char* kHelp =
    "Usage: ss-host [--library DIR] calc FILE [--json] [--set NAME=VALUE]...\n"
    "                                    [--export OUT.csv|OUT.xlsx|OUT.pdf]\n"
    "Loads a sheet (native format, CSV, TSV, .xlsx or .ods, recognised by content),\n"
    "recalculates "
    "it and prints the value of every non-empty cell, row by row:\n"
    "  as CSV lines \"cell,value\" (the default), or\n"
    "  with --json, as a JSON list of {cell, col, row, data, formula, value}.\n"
    "With --library DIR the standards functions (ROUNDTO, GETCELL, SECTIONSIZE, ...)\n"
    "are registered, so formulas can try them on the library's data files.\n"
    "FROMTABLE looks values up in other sheet files, named relative to FILE's folder:\n"
    "  FROMTABLE(file, cell [, target]) or\n"
    "  FROMTABLE(file, key caption, value caption, key [, target]).\n\n"
    "A standards sheet (FILE.kvs) is computed instead, as CallChild runs it: its\n"
    "Inputs take the values given with --set NAME=VALUE (empty otherwise; other\n"
    "names are general variables), and every Input and Output is printed with its\n"
    "value, followed by the run's diagnostics.\n\n"
    "With --export OUT the computed sheet is also written to OUT, in the format of\n"
    "its extension: CSV values, an .xlsx workbook (values, formulas, formats) or PDF\n"
    "pages (A4 portrait, grid lines and headers).\n\n"
    "Exit codes: 0 done, 4 a standards sheet ran with diagnostics, 1 the file cannot\n"
    "be loaded or the run failed, 2 bad usage.\n";

int usage(const std::string& why) {
  std::fprintf(stderr, "ss-host calc: %s\nRun 'ss-host calc --help' for the usage.\n", why.c_str());
  return kExitUsage;
}

bool isStandardsSheet(const std::string& file) {
  if (file.size() < 4) return false;
  std::string tail = file.substr(file.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".kvs";
}

// Formulas were read before the functions were there: they are set again.
void registerFunctions(grid::Sheet& sheet) {
  if (registerStandardsFunctions(sheet) != Acad::eOk) return;
  std::vector<std::pair<int, int>> cells;
  sheet.content().cells.forEach([&](const grid::Cell& c, int row) {
    if (c.hasFormula()) cells.emplace_back(c.col, row);
  });
  for (const auto& [col, row] : cells) sheet.setFormula(col, row, sheet.getFormula(col, row));
}

int exportComputed(const grid::Sheet& sheet, const std::string& exportTo) {
  if (exportTo.empty()) return kExitOk;
  std::string error;
  if (!grid::exportSheet(sheet, exportTo, grid::PrintLayout{}, error)) {
    std::fprintf(stderr, "ss-host calc: %s\n", error.c_str());
    return kExitFailed;
  }
  return kExitOk;
}

int calcSheet(const std::string& file, bool json, const std::string& exportTo) {
  grid::Sheet sheet;
  std::string error;
  if (!sheet.loadFromFile(file, error)) {
    std::fprintf(stderr, "ss-host calc: %s\n", error.c_str());
    return kExitFailed;
  }
  for (const std::string& warning : sheet.loadWarnings())
    std::fprintf(stderr, "ss-host calc: warning: %s\n", warning.c_str());
  registerFromTable(sheet, getPath(Nx_String(file)));
  if (!gSettings.libDir.isEmpty()) registerFunctions(sheet);
  {
    CommandLineToStderr lookupMessages;
    sheet.reCalc();
  }
  if (!json) {
    writeListing(sheet.content().cells, stdout);
    const int code = exportComputed(sheet, exportTo);
    // A large sheet goes with the process rather than cell by cell.
    hostexit::leaveIfDone(code);
    return code;
  }
  nlohmann::ordered_json cells = nlohmann::ordered_json::array();
  sheet.content().cells.forEach([&](const grid::Cell& c, int row) {
    if (c.col < 1 || row < 1) return;  // header captions have no cell name
    bool formula = c.hasFormula();
    std::string value = sheet.getValue(c.col, row);
    if (value.empty() && !formula) return;
    std::string name = grid::cellName(c.col, row);
    {
      nlohmann::ordered_json j;
      j["cell"] = name;
      j["col"] = c.col;
      j["row"] = row;
      j["data"] = base::cp1252ToUtf8(sheet.getData(c.col, row));
      if (formula) j["formula"] = base::cp1252ToUtf8(sheet.getFormula(c.col, row));
      j["value"] = base::cp1252ToUtf8(value);
      cells.push_back(std::move(j));
    }
  });
  std::string out =
      cells.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return exportComputed(sheet, exportTo);
}

int runCalc(const std::vector<std::string>& args) {
  std::string file, exportTo;
  bool json = false;
  std::vector<std::pair<std::string, std::string>> sets;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      std::printf("%s", kHelp);
      return kExitOk;
    }
    if (a == "--json") {
      json = true;
    } else if (a == "--export" || a.compare(0, 9, "--export=") == 0) {
      exportTo = a == "--export" ? (i + 1 < args.size() ? args[++i] : "") : a.substr(9);
      if (!grid::exportFormatFor(exportTo))
        return usage("--export takes a file ending in .csv, .xlsx or .pdf, not '" + exportTo + "'");
    } else if (a == "--set" || a.compare(0, 6, "--set=") == 0) {
      std::string value = a == "--set" ? (i + 1 < args.size() ? args[++i] : "") : a.substr(6);
      size_t eq = value.find('=');
      if (eq == std::string::npos || eq == 0)
        return usage("--set takes NAME=VALUE, not '" + value + "'");
      sets.emplace_back(value.substr(0, eq), value.substr(eq + 1));
    } else if (!a.empty() && a[0] == '-') {
      return usage("unknown option '" + a + "'");
    } else if (file.empty()) {
      file = a;
    } else {
      return usage("one file only");
    }
  }
  if (file.empty()) return usage("no file given");
  if (!isStandardsSheet(file)) {
    if (!sets.empty()) return usage("--set is for standards sheets (.kvs)");
    return calcSheet(file, json, exportTo);
  }
  if (!exportTo.empty()) return usage("--export is for sheets, not standards sheets (.kvs)");
  if (std::string problem = standardsLibraryProblem(gSettings.libDir.str()); !problem.empty()) {
    std::fprintf(stderr, "ss-host calc: a standards sheet needs its library: %s\n",
                 problem.c_str());
    return kExitFailed;
  }
  return calcStandardsSheet(file, sets, json);
}

}  // namespace

SSHOST_COMMAND({"calc", kUsage, kSummary, &runCalc});
