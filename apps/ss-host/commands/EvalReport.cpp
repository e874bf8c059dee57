#include "apps/ss-host/commands/EvalReport.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "apps/ss-host/HostText.h"

namespace eval {

namespace {

using hosttext::fileName;

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
  for (size_t r = 0; r < rows.size(); ++r) line(rows[r], sheet.variables[r].changed);
}

// A message on one line: the engine's texts may span several.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// "equation, row 31, Nothing: the message"; the sheet is named when the
// diagnostic comes from another one (a child).
std::string diagnosticLine(const SheetRun& run, const Diagnostic& d) {
  std::string where = d.kind;
  std::string file = fileName(d.sheet);
  if (!file.empty() && file != run.sheet && file != run.sheet + ".kvs") where += ", " + file;
  if (d.row > 0) where += ", row " + std::to_string(d.row);
  // An equation's message is the author's whole box; the equation says it.
  if (d.kind == "equation" && !d.text.empty())
    return where + ": " + (d.variable.empty() ? "" : d.variable + " = ") + oneLine(d.text) +
           " failed";
  if (!d.variable.empty()) where += ", " + d.variable;
  return where + ": " + oneLine(d.message.empty() ? d.text : d.message);
}

std::string plural(size_t n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string statusText(const SheetRun& sheet) {
  if (!sheet.ran) return "not run";
  std::string count = plural(sheet.diagnostics.size(), "diagnostic");
  if (!sheet.ok) return "FAILED: " + oneLine(sheet.error) + " (" + count + ")";
  return sheet.diagnostics.empty() ? "ok" : "NOT CLEAN: " + count;
}

const char* statusWord(const SheetRun& sheet) {
  if (!sheet.ran) return "not run";
  if (!sheet.ok) return "failed";
  return sheet.diagnostics.empty() ? "ok" : "diagnostics";
}

}  // namespace

bool MacroRun::failed() const {
  return std::any_of(sheets.begin(), sheets.end(),
                     [](const SheetRun& s) { return s.ran && !s.ok; });
}

int MacroRun::diagnosticCount() const {
  int n = 0;
  for (const SheetRun& s : sheets) n += static_cast<int>(s.diagnostics.size());
  return n;
}

bool Report::anyFailed() const {
  return std::any_of(macros.begin(), macros.end(), [](const MacroRun& m) { return m.failed(); });
}

int Report::diagnosticCount() const {
  int n = 0;
  for (const MacroRun& m : macros) n += m.diagnosticCount();
  return n;
}

std::string formatText(const Report& report) {
  std::string out;
  for (const MacroRun& macro : report.macros) {
    out += "Macro " + macro.macro + "\n";
    if (macro.sheets.empty()) out += "  (no standards attached)\n";
    for (const SheetRun& sheet : macro.sheets) {
      out += "  Sheet " + sheet.sheet + " (" +
             (sheet.object.empty() ? std::string("no mapping key") : sheet.object) + "): ";
      out += statusText(sheet) + "\n";
      for (const Diagnostic& d : sheet.diagnostics)
        out += "    ! " + diagnosticLine(sheet, d) + "\n";
      for (const std::string& w : sheet.warnings) out += "    ! " + w + "\n";
      if (sheet.ok) formatTable(sheet, out);
      if (report.traced && sheet.ran) {
        out += "    trace:\n";
        formatTrace(sheet.trace, "      ", out);
      }
    }
    out += "\n";
  }
  if (!report.savedTo.empty()) out += "Saved " + report.savedTo + "\n";
  if (int n = report.diagnosticCount(); n > 0)
    out += plural(static_cast<size_t>(n), "diagnostic") + ": the results are not clean\n";
  out += "* the run changed the macro's value; ? the macro has no value for the variable\n";
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
      s["ok"] = sheet.clean();
      s["status"] = statusWord(sheet);
      s["error"] =
          sheet.ok || !sheet.ran ? nlohmann::ordered_json() : nlohmann::ordered_json(sheet.error);
      nlohmann::ordered_json diagnostics = nlohmann::ordered_json::array();
      for (const Diagnostic& d : sheet.diagnostics) {
        nlohmann::ordered_json j;
        j["kind"] = d.kind;
        j["sheet"] = d.sheet;
        j["row"] = d.row;
        j["variable"] = d.variable;
        j["text"] = d.text;
        j["message"] = d.message;
        diagnostics.push_back(std::move(j));
      }
      s["diagnostics"] = std::move(diagnostics);
      s["warnings"] = sheet.warnings;
      nlohmann::ordered_json vars = nlohmann::ordered_json::array();
      for (const Variable& v : sheet.variables) {
        nlohmann::ordered_json j;
        j["name"] = v.name;
        j["kind"] = v.kind;
        j["type"] = v.type;
        j["before"] = v.beforeKnown ? nlohmann::ordered_json(v.before) : nlohmann::ordered_json();
        j["after"] = v.after;
        j["changed"] = v.changed;
        vars.push_back(std::move(j));
      }
      s["variables"] = std::move(vars);
      if (report.traced) s["trace"] = traceJson(sheet.trace);
      sheets.push_back(std::move(s));
    }
    m["sheets"] = std::move(sheets);
    macros.push_back(std::move(m));
  }
  root["macros"] = std::move(macros);
  root["saved"] =
      report.savedTo.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(report.savedTo);
  root["diagnostics"] = report.diagnosticCount();
  if (!report.summary.is_null()) root["summary"] = report.summary;
  return root.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace eval
