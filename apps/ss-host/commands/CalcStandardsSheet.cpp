#include "apps/ss-host/commands/CalcStandardsSheet.h"

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostText.h"
#include "apps/ss-host/SheetDeclarations.h"
#include "common/SSExports.h"
#include "platform/arx/acutil.h"
#include "platform/base/Cp1252.h"
#include "platform/grid/Sheet.h"
#include "standards/KvDlgStandardsData.h"

namespace {

using hosttext::utf8;

const char* typeName(KvValueType type) {
  return type == kValueInt ? "Int" : type == kValueDouble ? "Double" : "String";
}

KvValueType valueType(const std::string& type) {
  return type == "Int" ? kValueInt : type == "Double" ? kValueDouble : kValueString;
}

}  // namespace

int calcStandardsSheet(const std::string& file,
                       const std::vector<std::pair<std::string, std::string>>& sets, bool json) {
  grid::Sheet layout;
  std::string error;
  if (!layout.loadFromFile(file, error)) {
    std::fprintf(stderr, "ss-host calc: %s\n", error.c_str());
    return kExitFailed;
  }
  KvDlgStandardsData request;
  request.mode = KvDlgStandardsData::kChild;
  std::error_code ec;
  request.fileName = Nx_String(base::utf8ToCp1252(std::filesystem::absolute(file, ec).string()));
  std::vector<bool> given(sets.size(), false);
  for (const SheetDeclaration& d : readSheetDeclarations(layout)) {
    if (d.kind == "Local") continue;
    KvVarCell cell;
    cell.name = Nx_String(d.name);
    cell.cellType = d.kind == "Input" ? kCellInput : kCellOutput;
    cell.valueType = valueType(d.type);
    for (size_t i = 0; i < sets.size(); ++i)
      if (cell.isInput() && cell.name.equal(base::utf8ToCp1252(sets[i].first).c_str(), false)) {
        cell.value = Nx_String(base::utf8ToCp1252(sets[i].second));
        given[i] = true;
      }
    request.varCells.append(cell);
  }
  // What is not an Input is a general variable of the run.
  for (size_t i = 0; i < sets.size(); ++i)
    if (!given[i]) {
      request.genVarNames.append(Nx_String(base::utf8ToCp1252(sets[i].first)));
      request.genVarValues.append(Nx_String(base::utf8ToCp1252(sets[i].second)));
    }
  bool ok = false;
  {
    CommandLineToStderr toStderr;
    ok = StartDlgStandardsSS(request);
  }
  if (json) {
    nlohmann::ordered_json root;
    root["sheet"] = file;
    root["ok"] = ok && request.diagnostics.empty();
    root["failed"] = !ok;
    nlohmann::ordered_json vars = nlohmann::ordered_json::array();
    for (int i = 0; i < request.varCells.length(); ++i) {
      const KvVarCell& c = request.varCells[i];
      vars.push_back({{"name", utf8(c.name)},
                      {"kind", c.isInput() ? "Input" : "Output"},
                      {"type", typeName(c.valueType)},
                      {"value", utf8(c.value)}});
    }
    root["variables"] = std::move(vars);
    nlohmann::ordered_json diags = nlohmann::ordered_json::array();
    for (const KvRunDiagnostic& d : request.diagnostics)
      diags.push_back({{"kind", runDiagnosticKindName(d.kind)},
                       {"sheet", utf8(d.sheet)},
                       {"row", d.row},
                       {"variable", utf8(d.variable)},
                       {"text", utf8(d.text)},
                       {"message", utf8(d.message)}});
    root["diagnostics"] = std::move(diags);
    std::string text =
        root.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
  } else {
    std::printf("Sheet %s: %s\n", file.c_str(),
                !ok                           ? "FAILED"
                : request.diagnostics.empty() ? "ok"
                                              : "NOT CLEAN");
    for (int i = 0; i < request.varCells.length(); ++i) {
      const KvVarCell& c = request.varCells[i];
      std::printf("  %-6s %-6s %s = %s\n", c.isInput() ? "Input" : "Output", typeName(c.valueType),
                  utf8(c.name).c_str(), utf8(c.value).c_str());
    }
    for (const KvRunDiagnostic& d : request.diagnostics) {
      std::string message = utf8(d.message);
      for (char& ch : message)
        if (ch == '\n') ch = ' ';
      std::printf("  ! %s%s: %s\n", runDiagnosticKindName(d.kind),
                  d.row > 0 ? (", row " + std::to_string(d.row)).c_str() : "", message.c_str());
    }
  }
  if (!ok) {
    std::fprintf(stderr, "ss-host calc: the sheet's run failed\n");
    return kExitFailed;
  }
  return request.diagnostics.empty() ? kExitOk : kExitDiagnostics;
}
