#include "apps/ss-host/commands/EvalWire.h"

#include <nlohmann/json.hpp>

namespace eval {

namespace {

using json = nlohmann::ordered_json;

json sheetJson(const SheetRun& s) {
  json diagnostics = json::array();
  for (const Diagnostic& d : s.diagnostics)
    diagnostics.push_back({d.kind, d.sheet, d.row, d.variable, d.text, d.message});
  json variables = json::array();
  for (const Variable& v : s.variables)
    variables.push_back({v.name, v.kind, v.type, v.before, v.beforeKnown, v.after, v.changed});
  return {s.sheet,
          s.object,
          s.ran,
          s.ok,
          s.error,
          std::move(diagnostics),
          s.warnings,
          std::move(variables),
          traceJson(s.trace)};
}

SheetRun sheetFromJson(const json& j) {
  SheetRun s;
  s.sheet = j.at(0);
  s.object = j.at(1);
  s.ran = j.at(2);
  s.ok = j.at(3);
  s.error = j.at(4);
  for (const json& d : j.at(5))
    s.diagnostics.push_back({d.at(0), d.at(1), d.at(2), d.at(3), d.at(4), d.at(5)});
  s.warnings = j.at(6).get<std::vector<std::string>>();
  for (const json& v : j.at(7))
    s.variables.push_back({v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5), v.at(6)});
  s.trace = traceFromJson(j.at(8));
  return s;
}

}  // namespace

std::vector<std::uint8_t> toWire(const WireMacro& macro) {
  json sheets = json::array();
  for (const SheetRun& s : macro.run.sheets) sheets.push_back(sheetJson(s));
  return json::to_cbor(json{macro.index, macro.evaluated, macro.run.macro, std::move(sheets)});
}

bool fromWire(const std::vector<std::uint8_t>& bytes, WireMacro& macro) {
  try {
    json j = json::from_cbor(bytes);
    macro.index = j.at(0);
    macro.evaluated = j.at(1);
    macro.run.macro = j.at(2);
    macro.run.sheets.clear();
    for (const json& s : j.at(3)) macro.run.sheets.push_back(sheetFromJson(s));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace eval
