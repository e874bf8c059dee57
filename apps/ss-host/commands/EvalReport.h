#pragma once
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "apps/ss-host/commands/EvalTrace.h"

// What `ss-host eval` found out, and its two ways of printing it. Texts are
// UTF-8 here (converted from the drawing's Windows-1252 when collected).
namespace eval {

struct Variable {
  std::string name;
  std::string kind;         // "Input", "Output" or "Local"
  std::string type;         // "Int", "Double" or "String"
  std::string before;       // as the macro held it before the run ("" for Locals)
  bool beforeKnown = true;  // false: the macro has no value for it
  std::string after;        // the sheet's value at the end of the run
  bool changed = false;     // the run changed the macro's value
};

// One entry of the run's diagnostics (KvRunDiagnostic).
struct Diagnostic {
  std::string kind;  // runDiagnosticKindName
  std::string sheet;
  int row = 0;
  std::string variable;
  std::string text;
  std::string message;
};

struct SheetRun {
  std::string sheet;
  std::string object;  // the mapping key or "Module." + group
  bool ran = false;    // false when an earlier sheet of the macro failed
  bool ok = false;     // the run completed (it may still have diagnostics)
  std::string error;   // why the run failed
  std::vector<Diagnostic> diagnostics;
  std::vector<std::string> warnings;  // command-line lines and mapping remarks
  int changed = 0;                    // the Outputs whose value the run changed in the macro
  // A batch without --json needs none: its summary only counts the changes.
  std::vector<Variable> variables;
  std::vector<TraceRow> trace;  // with --trace: the Calc cells as computed

  bool clean() const { return ran && ok && diagnostics.empty(); }
};

struct MacroRun {
  std::string macro;
  std::vector<SheetRun> sheets;

  bool failed() const;  // a sheet ran and did not complete
  int diagnosticCount() const;
  // The diagnostics a save keeps: none of a failed macro, which is saved as it was.
  int keptDiagnosticCount() const { return failed() ? 0 : diagnosticCount(); }
};

struct Report {
  std::string drawing;
  std::string library;
  std::vector<MacroRun> macros;
  std::string savedTo;             // empty when the drawing was not written
  bool traced = false;             // the runs were traced: each sheet shows its trace
  nlohmann::ordered_json summary;  // a batch's totals (EvalSummary.h); null otherwise

  bool anyFailed() const;
  int diagnosticCount() const;
};

// One table per sheet, columns fitted; changed values marked with "*".
std::string formatText(const Report& report);
// Never throws: text that is not UTF-8 (a path) is written with U+FFFD.
std::string formatJson(const Report& report);

}  // namespace eval
