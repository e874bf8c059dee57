// ss-host calc FILE [--json]: load a sheet, recalculate it, print its values.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "apps/ss-host/HostCommand.h"
#include "platform/base/Cp1252.h"
#include "platform/grid/Sheet.h"

namespace {

const char* kHelp =
    "usage: ss-host calc FILE [--json]\n"
    "Loads a sheet (native format, CSV or TSV, recognised by content), recalculates\n"
    "it and prints the value of every non-empty cell, row by row:\n"
    "  as CSV lines \"cell,value\" (the default), or\n"
    "  with --json, as a JSON list of {cell, col, row, data, formula, value}.\n"
    "Exit status: 0 on success, 1 when the file cannot be loaded, 2 for bad usage.\n";

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

int runCalc(const std::vector<std::string>& args) {
  std::string file;
  bool json = false;
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      std::cout << kHelp;
      return 0;
    }
    if (a == "--json") {
      json = true;
    } else if (!a.empty() && a[0] == '-') {
      std::cerr << "calc: unknown option " << a << "\n" << kHelp;
      return 2;
    } else if (file.empty()) {
      file = a;
    } else {
      std::cerr << "calc: one file only\n" << kHelp;
      return 2;
    }
  }
  if (file.empty()) {
    std::cerr << "calc: no file given\n" << kHelp;
    return 2;
  }
  grid::Sheet sheet;
  std::string error;
  if (!sheet.loadFromFile(file, error)) {
    std::cerr << "calc: " << error << "\n";
    return 1;
  }
  for (const std::string& warning : sheet.loadWarnings())
    std::cerr << "calc: warning: " << warning << "\n";
  sheet.reCalc();
  nlohmann::ordered_json cells = nlohmann::ordered_json::array();
  std::string out;
  sheet.content().cells.forEach([&](const grid::Cell& c, int row) {
    if (c.col < 1 || row < 1) return;  // header captions have no cell name
    std::string value = sheet.getValue(c.col, row);
    bool formula = c.hasFormula();
    if (value.empty() && !formula) return;
    std::string name = grid::cellName(c.col, row);
    if (json) {
      nlohmann::ordered_json j;
      j["cell"] = name;
      j["col"] = c.col;
      j["row"] = row;
      j["data"] = base::cp1252ToUtf8(sheet.getData(c.col, row));
      if (formula) j["formula"] = base::cp1252ToUtf8(sheet.getFormula(c.col, row));
      j["value"] = base::cp1252ToUtf8(value);
      cells.push_back(std::move(j));
    } else {
      out += name + "," + csvField(base::cp1252ToUtf8(value)) + "\n";
    }
  });
  if (json)
    std::cout << cells.dump(1) << "\n";
  else
    std::cout << out;
  std::cout.flush();
  return 0;
}

}  // namespace

SSHOST_COMMAND({"calc", "calc FILE [--json]", "Load a sheet, recalculate it and print its values",
                &runCalc});
