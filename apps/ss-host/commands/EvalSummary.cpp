#include "apps/ss-host/commands/EvalSummary.h"

namespace eval {

namespace {

std::string counted(int n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

}  // namespace

Summary summarize(const Report& report) {
  Summary s;
  for (const MacroRun& m : report.macros) {
    ++s.macros;
    bool failed = false;
    for (const SheetRun& sheet : m.sheets) {
      if (!sheet.ran) continue;
      ++s.sheetsRun;
      if (!sheet.ok) {
        ++s.sheetsFailed;
        failed = true;
      }
      for (const Diagnostic& d : sheet.diagnostics)
        if (d.kind == "equation") ++s.failedEquations;
      s.valuesChanged += sheet.changed;
    }
    if (failed) s.failedMacros.push_back(m.macro);
  }
  return s;
}

std::string formatSummary(const Summary& s, const Report& report, int jobs) {
  std::string out = counted(s.macros, "macro") + " evaluated by " + counted(jobs, "worker") + ": " +
                    counted(s.sheetsRun, "sheet") + " run, " +
                    counted(s.sheetsFailed, "failed sheet") + ", " +
                    counted(s.failedEquations, "failed equation") + ", " +
                    counted(s.valuesChanged, "value") + " changed\n";
  if (!s.failedMacros.empty()) {
    out += "Failed: ";
    for (size_t i = 0; i < s.failedMacros.size(); ++i) out += (i ? ", " : "") + s.failedMacros[i];
    out += "\n";
  }
  if (int n = report.diagnosticCount(); n > 0)
    out += counted(n, "diagnostic") + ": the results are not clean\n";
  out +=
      report.savedTo.empty() ? "The drawing was not written\n" : "Saved " + report.savedTo + "\n";
  return out;
}

nlohmann::ordered_json summaryJson(const Summary& s, int jobs) {
  nlohmann::ordered_json j;
  j["macros"] = s.macros;
  j["workers"] = jobs;
  j["sheetsRun"] = s.sheetsRun;
  j["sheetsFailed"] = s.sheetsFailed;
  j["failedEquations"] = s.failedEquations;
  j["valuesChanged"] = s.valuesChanged;
  j["failedMacros"] = s.failedMacros;
  return j;
}

}  // namespace eval
