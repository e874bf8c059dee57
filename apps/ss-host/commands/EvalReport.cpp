#include "apps/ss-host/commands/EvalReport.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace eval {

namespace {

// Width in characters of UTF-8 text (continuation bytes take no column).
size_t columns(const std::string& text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string padded(const std::string& text, size_t width) {
  size_t used = columns(text);
  return text + std::string(width > used ? width - used : 0, ' ');
}

std::string beforeText(const Variable& v) {
  return v.beforeKnown ? v.before : "?";
}

void formatTable(const SheetRun& sheet, std::string& out) {
  const std::vector<std::string> head = {"variable", "kind", "type", "before", "after"};
  std::vector<std::vector<std::string>> rows;
  for (const Variable& v : sheet.variables)
    rows.push_back({v.name, v.kind, v.type, beforeText(v), v.after});
  std::vector<size_t> width(head.size());
  for (size_t c = 0; c < head.size(); ++c) {
    width[c] = columns(head[c]);
    for (const auto& row : rows) width[c] = std::max(width[c], columns(row[c]));
  }
  auto line = [&](const std::vector<std::string>& cells, bool changed) {
    std::string text = "   ";
    for (size_t c = 0; c < cells.size(); ++c) text += "  " + padded(cells[c], width[c]);
    if (changed) text += "  *";
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out += text + "\n";
  };
  line(head, false);
  for (size_t r = 0; r < rows.size(); ++r) {
    const Variable& v = sheet.variables[r];
    line(rows[r], v.kind != "Local" && (!v.beforeKnown || v.before != v.after));
  }
}

}  // namespace

std::string formatText(const Report& report) {
  std::string out;
  for (const MacroRun& macro : report.macros) {
    out += "Macro " + macro.macro + "\n";
    if (macro.sheets.empty()) out += "  (no standards attached)\n";
    for (const SheetRun& sheet : macro.sheets) {
      out += "  Sheet " + sheet.sheet + " (" +
             (sheet.object.empty() ? std::string("no mapping key") : sheet.object) + "): ";
      out += !sheet.ran ? "not run\n" : sheet.ok ? "ok\n" : "FAILED: " + sheet.error + "\n";
      for (const std::string& w : sheet.warnings) out += "    ! " + w + "\n";
      if (sheet.ok) formatTable(sheet, out);
    }
    out += "\n";
  }
  if (!report.savedTo.empty()) out += "Saved " + report.savedTo + "\n";
  out += "* the macro's value changed; ? the macro has no value for the variable\n";
  return out;
}

std::string formatJson(const Report& report) {
  nlohmann::ordered_json root;
  root["drawing"] = report.drawing;
  root["library"] = report.library;
  nlohmann::ordered_json macros = nlohmann::ordered_json::array();
  for (const MacroRun& macro : report.macros) {
    nlohmann::ordered_json m;
    m["macro"] = macro.macro;
    nlohmann::ordered_json sheets = nlohmann::ordered_json::array();
    for (const SheetRun& sheet : macro.sheets) {
      nlohmann::ordered_json s;
      s["sheet"] = sheet.sheet;
      s["object"] = sheet.object;
      s["ran"] = sheet.ran;
      s["ok"] = sheet.ok;
      s["error"] =
          sheet.ok || !sheet.ran ? nlohmann::ordered_json() : nlohmann::ordered_json(sheet.error);
      s["warnings"] = sheet.warnings;
      nlohmann::ordered_json vars = nlohmann::ordered_json::array();
      for (const Variable& v : sheet.variables) {
        nlohmann::ordered_json j;
        j["name"] = v.name;
        j["kind"] = v.kind;
        j["type"] = v.type;
        j["before"] = v.beforeKnown ? nlohmann::ordered_json(v.before) : nlohmann::ordered_json();
        j["after"] = v.after;
        vars.push_back(std::move(j));
      }
      s["variables"] = std::move(vars);
      sheets.push_back(std::move(s));
    }
    m["sheets"] = std::move(sheets);
    macros.push_back(std::move(m));
  }
  root["macros"] = std::move(macros);
  root["saved"] =
      report.savedTo.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(report.savedTo);
  return root.dump(2) + "\n";
}

}  // namespace eval
