// `ss-host mapping check DRAWING MACRO SHEET`: the line of the macro's
// attachment of the sheet, against the macro and the sheet's declarations.
#include <cstdio>
#include <string>
#include <vector>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/commands/MappingCommand.h"
#include "apps/ss-host/commands/SheetArgument.h"
#include "common/SSExports.h"
#include "core/macro/MacroData.h"
#include "core/macro/Nx_Drawing.h"
#include "mapping/KvSSMapping.h"
#include "platform/arx/acutil.h"
#include "platform/base/Cp1252.h"
#include "standards/KvDlgStandardsData.h"

namespace mappingcmd {

namespace {

const char* typeName(KvValueType type) {
  return type == kValueInt ? "Int" : type == kValueDouble ? "Double" : "String";
}

bool numeric(KvValueType type) {
  return type == kValueInt || type == kValueDouble;
}

// Silences the module's command line while the declarations are read.
class QuietCommandLine {
 public:
  QuietCommandLine() : previous_(acutSetPrintSink([](std::string_view) {})) {}
  ~QuietCommandLine() { acutSetPrintSink(previous_); }
  QuietCommandLine(const QuietCommandLine&) = delete;
  QuietCommandLine& operator=(const QuietCommandLine&) = delete;

 private:
  AcutPrintSink previous_;
};

struct Checker {
  Nx_DbMacro* dbMacro;
  MacroData* data;
  AcTransaction* tr;
  const KvVarCells* declared;  // null when the sheet could not be run
  KvSSMapping offered;         // every value of the macro's modules
  int problems = 0;

  void report(const std::string& subject, const std::string& text) {
    std::printf("  %s %s%s%s\n", text.empty() ? "ok" : "!!", subject.c_str(),
                text.empty() ? "" : ": ", text.c_str());
    if (!text.empty()) ++problems;
  }

  // What is wrong with an entry on the macro's side, or "".
  std::string macroProblem(KvObjectMap entry, const Nx_Macro& macro, std::string& value) {
    const bool macroLevel = objectKindLevel(entry.kind) == kLevelMacro;
    if (macroLevel && !entry.objectName.isEmpty())
      return "a value of the macro itself, but the entry names the group " + utf8(entry.objectName);
    if (!macroLevel) {
      Nx_StringArray groups;
      macro.getGroupNames(groups);
      if (groups.find(entry.objectName, false) < 0)
        return "the macro has no module group \"" + utf8(entry.objectName) + "\"";
    }
    Nx_String text;
    int index = -1;
    if (entry.getMacroVarValue(dbMacro, data, text, tr) != Acad::eOk ||
        (!macroLevel && offered.findCompatible(entry, index) != Acad::eOk))
      return "the macro has no such value";
    value = utf8(text);
    return {};
  }

  // What is wrong with an entry on the sheet's side, or "".
  std::string declarationProblem(const KvObjectMap& entry) const {
    if (!declared) return {};
    int index = -1;
    if (declared->findVarCell(entry.ssVarName, index) != Acad::eOk)
      return "the sheet declares no variable " + utf8(entry.ssVarName);
    const KvVarCell& cell = (*declared)[index];
    KvValueType kindType = kValueString;
    objectKindValueType(entry.kind, kindType);
    if (numeric(kindType) != numeric(cell.valueType))
      return std::string("the sheet declares it ") + typeName(cell.valueType) + ", the value is " +
             (numeric(kindType) ? "a number" : "text");
    if (cell.isLocal()) return "a Local: only Inputs and Outputs are bound";
    if (cell.isOutput() && isReadOnlyKind(entry.kind))
      return "an Output, but the sheet can only read this value";
    return {};
  }
};

// The sheet's declarations, as a run on a copy of the macro finds them.
bool readDeclarations(Nx_DbMacro* macro, MacroData* data, AcTransaction* tr, const Nx_String& sheet,
                      const Nx_String& key, KvVarCells& out) {
  KvDlgStandardsData request;
  if (request.initialize(macro, sheet, key, data) != Acad::eOk) return false;
  request.transaction = tr;
  QuietCommandLine quiet;
  if (!StartDlgStandardsSS(request)) return false;
  out = request.varCells;
  return true;
}

}  // namespace

int check(const std::vector<std::string>& args) {
  if (args.size() != 4) return usage("check takes DRAWING MACRO SHEET");
  std::string sheet, error;
  if (!sheetarg::resolveSheet(args[3], sheet, error)) return failure(error);
  Nx_Drawing drawing;
  Nx_String loadError;
  if (!drawing.load(args[1].c_str(), loadError)) return failure(utf8(loadError));
  AcDbObjectId id = drawing.findMacro(Nx_String(base::utf8ToCp1252(args[2])));
  if (id.isNull()) return failure(args[1] + " has no macro \"" + args[2] + "\"");
  AcTransaction tr(drawing.database());
  Nx_DbMacro* dbMacro = nullptr;
  if (tr.getObject(dbMacro, id, AcDb::kForWrite) != Acad::eOk) return failure("cannot open it");
  MacroData data;
  dbMacro->getMacroData(data);
  const Nx_Macro& macro = *dbMacro->getMacro();

  Nx_StringArray sheets, objects;
  macro.getStandards(sheets, objects);
  int at = -1;
  for (int i = 0; i < sheets.length() && at < 0; ++i)
    if (sheetarg::sameSheet(sheets[i], sheet)) at = i;
  if (at < 0) return failure("macro " + args[2] + " has no sheet \"" + args[3] + "\" attached");
  const Nx_String key = objects[at];
  if (key.startsWith(kModuleGroupPrefix, true)) {
    std::printf("%s binds %s by name on the module group %s: no mapping line to check\n",
                args[2].c_str(), args[3].c_str(),
                utf8(key.mid(static_cast<int>(sizeof(kModuleGroupPrefix)) - 1)).c_str());
    return kExitOk;
  }
  KvSSMapping mapping;
  if (mapping.getMappingFromFile(sheets[at], key) != Acad::eOk)
    return failure(mappingPath(sheet) + " has no line for the key \"" + utf8(key) + "\" of " +
                   args[2]);

  // Values first: the run that reads the declarations writes the macro.
  Checker checker{dbMacro, &data, &tr, nullptr, {}};
  checker.offered.initAllVarsFromMacro(dbMacro, &tr);
  std::vector<std::string> problems, values;
  for (const KvObjectMap& entry : mapping.mappedObjects()) {
    std::string value;
    problems.push_back(checker.macroProblem(entry, macro, value));
    values.push_back(value);
  }
  KvVarCells declared;
  bool haveDeclarations = readDeclarations(dbMacro, &data, &tr, sheets[at], key, declared);
  checker.declared = haveDeclarations ? &declared : nullptr;

  std::printf("Macro %s, sheet %s, key %s: %d entr%s\n", args[2].c_str(), args[3].c_str(),
              utf8(key).c_str(), mapping.mappedObjects().length(),
              mapping.mappedObjects().length() == 1 ? "y" : "ies");
  if (!haveDeclarations)
    std::printf("  (the sheet could not be run, so its declarations are not checked)\n");
  const auto& entries = mapping.mappedObjects();
  for (int i = 0; i < entries.length(); ++i) {
    std::string problem = problems[i];
    if (problem.empty()) problem = checker.declarationProblem(entries[i]);
    std::string subject = utf8(entries[i].ssVarName) + " <- " + describe(entries[i]);
    if (problem.empty()) subject += " = " + values[i];
    checker.report(subject, problem);
  }
  for (int i = 0; haveDeclarations && i < declared.length(); ++i) {
    const KvVarCell& cell = declared[i];
    int index = -1;
    if (cell.isLocal() || mapping.findSSVar(cell.name, cell.valueType, index) == Acad::eOk)
      continue;
    bool byName = false;
    for (const KvObjectMap& e : entries) byName = byName || e.ssVarName.equal(cell.name, false);
    if (byName) continue;  // reported with its entry
    checker.report(utf8(cell.name),
                   cell.isInput()
                       ? "a declared Input that no entry binds: it reads nothing"
                       : "a declared Output that no entry binds: its result goes nowhere");
  }
  if (checker.problems == 0) {
    std::printf("Every entry fits.\n");
    return kExitOk;
  }
  std::printf("%d problem%s.\n", checker.problems, checker.problems == 1 ? "" : "s");
  return kExitFailed;
}

}  // namespace mappingcmd
