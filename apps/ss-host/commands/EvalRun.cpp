#include "apps/ss-host/commands/EvalRun.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "apps/ss-host/HostText.h"
#include "common/SSExports.h"
#include "mapping/KvVarCells.h"
#include "platform/arx/acutil.h"
#include "platform/base/Cp1252.h"
#include "platform/grid/NumberText.h"
#include "standards/KvDlgStandardsData.h"

namespace eval {

namespace {

using hosttext::cp1252;
using hosttext::utf8;

const char* kindName(const KvVarCell& cell) {
  return cell.isInput() ? "Input" : cell.isOutput() ? "Output" : "Local";
}

const char* typeName(KvValueType type) {
  return type == kValueInt ? "Int" : type == kValueDouble ? "Double" : "String";
}

// A Local's value as its cell holds it: number cells round to their
// decimals (whole numbers 0, real numbers 7), as the sheet then reads them.
std::string localValue(const KvVarCell& cell) {
  double number = 0;
  if (cell.valueType == kValueString || !grid::parseNumber(cell.value.str(), number))
    return utf8(cell.value);
  int decimals = cell.valueType == kValueInt ? 0 : 7;
  return grid::formatGeneral(grid::roundDecimal(number, decimals));
}

// Collects what the module prints on the command line during a run.
class CommandLineCapture {
 public:
  CommandLineCapture()
      : previous_(acutSetPrintSink([this](std::string_view text) { text_ += text; })) {}
  ~CommandLineCapture() { acutSetPrintSink(previous_); }
  CommandLineCapture(const CommandLineCapture&) = delete;
  CommandLineCapture& operator=(const CommandLineCapture&) = delete;
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text_.size()) {
      size_t end = text_.find('\n', start);
      if (end == std::string::npos) end = text_.size();
      if (end > start) out.push_back(utf8(Nx_String(text_.substr(start, end - start))));
      start = end + 1;
    }
    return out;
  }

 private:
  std::string text_;
  AcutPrintSink previous_;
};

// The request of a parent run of the sheet on an open macro, with the
// macro's general variables and the overrides; without them (binding
// only) for reading and writing the macro through the sheet's mapping,
// which never looks at them.
void fillRequest(KvDlgStandardsData& request, OpenMacro& open, const Options& options,
                 const Nx_String& sheet, const Nx_String& object, bool bindingOnly = false) {
  request.initialize(open.dbMacro(), sheet, object, &open.data());
  request.transaction = &open.transaction();
  if (bindingOnly) return;
  Nx_StringArray names;
  const Nx_Macro& m = open.macro();
  m.getGeneralVariables(names);
  for (const Nx_String& name : names) {
    request.genVarNames.append(name);
    request.genVarValues.append(Nx_String(m.generalVariableValue(name), 8, false));
  }
  for (const auto& [name, value] : options.sets) {
    int at = request.genVarNames.find(cp1252(name), false);
    if (at < 0) continue;
    request.genVarValues[at] = cp1252(value);
  }
}

const std::string kUnboundKind = runDiagnosticKindName(KvRunDiagnostic::kUnbound);

Diagnostic diagnostic(const KvRunDiagnostic& d) {
  return {runDiagnosticKindName(d.kind),
          utf8(d.sheet),
          d.row,
          utf8(d.variable),
          utf8(d.text),
          utf8(d.message)};
}

}  // namespace

OpenMacro::OpenMacro(Nx_Drawing& drawing, AcDbObjectId id) : tr_(drawing.database()) {
  if (tr_.getObject(dbMacro_, id, AcDb::kForWrite) != Acad::eOk) dbMacro_ = nullptr;
  if (dbMacro_) dbMacro_->getMacroData(data_);
}

void OpenMacro::applyOverrides(const Options& options) {
  for (const auto& [name, value] : options.sets) {
    double number = 0;
    if (cp1252(value).toDouble(number) && macro().hasGeneralVariable(cp1252(name)))
      macro().setGeneralVariable(cp1252(name), number);
  }
}

MacroEval::MacroEval(Nx_Drawing& drawing, AcDbObjectId id, Nx_Drawing& shadow,
                     AcDbObjectId shadowId, const Options& options)
    : real_(drawing, id), shadow_(shadow, shadowId), options_(options) {
  if (!isOpen()) return;
  real_.applyOverrides(options);
  shadow_.applyOverrides(options);
}

SheetRun MacroEval::run(const Nx_String& sheet, const Nx_String& object, bool more) {
  SheetRun out;
  out.sheet = utf8(sheet);
  out.object = utf8(object);
  out.ran = true;

  KvDlgStandardsData request;
  fillRequest(request, real_, options_, sheet, object);
  std::string unmapped;  // why the sheet binds nothing, or ""
  if (request.moduleName.isEmpty()) {
    KvSSMapping mapping;
    if (mapping.getMappingFromFile(sheet, object) != Acad::eOk)
      unmapped = "no mapping line \"" + out.object + "\" in " +
                 utf8(KvSSMapping::mappingFilePath(sheet)) +
                 ": the sheet reads nothing from the macro";
  }
  std::vector<std::string> printed;
  KvRunTrace trace;
  if (options_.trace) request.trace = &trace;
  {
    CommandLineCapture capture;
    out.ok = StartDlgStandardsSS(request);
    printed = capture.lines();
  }
  out.trace = traceRows(trace);
  for (const KvRunDiagnostic& d : request.diagnostics) out.diagnostics.push_back(diagnostic(d));
  // A sheet without its mapping line binds nothing: never a clean run, even
  // when the engine left its unbound variables unreported.
  const bool unboundReported =
      std::any_of(out.diagnostics.begin(), out.diagnostics.end(),
                  [](const Diagnostic& d) { return d.kind == kUnboundKind; });
  if (!unmapped.empty() && !unboundReported)
    out.diagnostics.push_back({kUnboundKind, out.sheet, 0, "", out.object, unmapped});
  else if (!unmapped.empty())
    out.warnings.push_back(unmapped);
  if (!out.ok) {
    // The reason is the run's last diagnostic; the printed error line only
    // stands in when the run left none.
    if (!out.diagnostics.empty()) out.error = out.diagnostics.back().message;
    for (const std::string& line : printed)
      if (out.error.empty() && line.compare(0, 8, "*Error* ") == 0) out.error = line.substr(8);
    if (out.error.empty()) out.error = "the standards run failed";
  }
  for (const std::string& line : printed)
    if (out.ok || line.compare(0, 8 + out.error.size(), "*Error* " + out.error) != 0)
      out.warnings.push_back(line);
  if (!out.ok) return out;

  KvDlgStandardsData before;
  fillRequest(before, shadow_, options_, sheet, object, true);
  KvSSMapping mapping = request.varCells.mapping();
  // A batch's summary counts the Outputs the run changed: without --json
  // it keeps no variable, and reads no Input back.
  const bool changesOnly = options_.all && !options_.json;
  for (int i = 0; i < request.varCells.length(); ++i) {
    const KvVarCell& cell = request.varCells[i];
    if (changesOnly && !cell.isOutput()) continue;
    Variable v{utf8(cell.name), kindName(cell), typeName(cell.valueType), "", true, {}, false};
    if (cell.isLocal()) {
      v.after = localValue(cell);
    } else {
      v.after = utf8(cell.value);
      Nx_String was, is;
      v.beforeKnown = mapping.getMacroVarValue(cell.name, cell.valueType, was, before) == Acad::eOk;
      v.before = utf8(was);
      // Only an Output changes the macro: an Input's value is not read again.
      v.changed = cell.isOutput() && v.beforeKnown &&
                  mapping.getMacroVarValue(cell.name, cell.valueType, is, request) == Acad::eOk &&
                  !was.equal(is, true);
    }
    if (v.changed) ++out.changed;
    if (!changesOnly) out.variables.push_back(std::move(v));
  }
  // The shadow's macro takes the run's writes, ready for the next sheet.
  if (more) {
    KvVarCells written = request.varCells;
    written.setToMacro(before);
  }
  return out;
}

}  // namespace eval
