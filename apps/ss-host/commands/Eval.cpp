// `ss-host eval DRAWING [MACRO]`: runs the standards attached to the macros
// of a drawing, as the core's "load from standards" does, and shows every
// variable of every sheet before and after.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostCommand.h"
#include "apps/ss-host/commands/EvalReport.h"
#include "common/SSExports.h"
#include "core/Nx_Settings.h"
#include "core/StringHelpers.h"
#include "core/macro/Nx_Drawing.h"
#include "platform/arx/acutil.h"
#include "platform/base/Cp1252.h"
#include "standards/KvDlgStandardsData.h"

namespace {

const char kUsage[] = "eval DRAWING [MACRO] [--sheet NAME [--object KEY]] [--set NAME=VALUE]...";
const char kSummary[] = "Run the standards of a drawing's macros and show their variables";

void printHelp() {
  std::printf(
      "Usage: ss-host --library DIR [options] %s\n"
      "          [--messages] [--save | --output FILE] [--json]\n"
      "%s.\n\n"
      "Runs, for each macro of DRAWING (or only MACRO), the standards sheets attached to\n"
      "it, in their order, as \"load from standards\" does: each sheet against the macro,\n"
      "its variables bound by the mapping key of the attachment (a line of the sheet's\n"
      ".map file) or, for \"Module.GROUP\", by name on the modules of that group. The\n"
      "general variables of the macro replace their names in the sheet. A failed run\n"
      "ends the macro's remaining sheets.\n\n"
      "Prints a table per sheet: every variable with its kind (Input, Output, Local),\n"
      "its type, the macro's value before the run and the sheet's value after it; \"*\"\n"
      "marks values the run changed, \"?\" values the macro does not have.\n\n"
      "  --sheet NAME       run this sheet (a name in \"Connection Standards\" or a path)\n"
      "                     instead of the attached ones; without MACRO, on every macro\n"
      "                     that has it attached\n"
      "  --object KEY       the mapping key or \"Module.GROUP\" for --sheet (default: the\n"
      "                     macro's own attachment of that sheet)\n"
      "  --set NAME=VALUE   override a general variable for the run (repeatable); a\n"
      "                     number also changes the macro's variable of that name\n"
      "  --messages         show the sheet author's diagnostics (printed on stderr)\n"
      "  --save             write the changed drawing back to DRAWING\n"
      "  --output FILE      write the changed drawing to FILE\n"
      "  --json             print the results as JSON\n\n"
      "The drawing is written only when every run succeeded. Command-line messages of\n"
      "the module (\"*Error* ...\") go to stderr.\n"
      "Exit codes: 0 every run succeeded, 1 a run failed or a file could not be read or\n"
      "written, 2 bad usage.\n",
      kUsage, kSummary);
}

struct Options {
  std::string drawing;
  std::string macro;
  std::string sheet;
  std::string object;
  bool objectGiven = false;
  std::vector<std::pair<std::string, std::string>> sets;
  bool save = false;
  std::string output;
  bool json = false;
};

int usage(const std::string& why) {
  std::fprintf(stderr, "ss-host eval: %s\nRun 'ss-host eval --help' for the options.\n",
               why.c_str());
  return kExitUsage;
}

// "--name VALUE" or "--name=VALUE".
bool optionValue(const std::vector<std::string>& args, size_t& i, const char* name,
                 std::string& value, std::string& error) {
  const std::string& word = args[i];
  std::string prefix = std::string(name) + "=";
  if (word == name) {
    if (i + 1 >= args.size()) {
      error = std::string("option '") + name + "' needs a value";
      return true;
    }
    value = args[++i];
    return true;
  }
  if (word.compare(0, prefix.size(), prefix) == 0) {
    value = word.substr(prefix.size());
    return true;
  }
  return false;
}

std::string parse(const std::vector<std::string>& args, Options& o) {
  std::vector<std::string> positional;
  std::string error, value;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    const std::string& word = args[i];
    if (word == "--save") {
      o.save = true;
    } else if (word == "--json") {
      o.json = true;
    } else if (word == "--messages") {
      gSettings.showStandardsMessages = true;
    } else if (optionValue(args, i, "--sheet", o.sheet, error) ||
               optionValue(args, i, "--output", o.output, error)) {
    } else if (optionValue(args, i, "--object", o.object, error)) {
      o.objectGiven = true;
    } else if (optionValue(args, i, "--set", value, error)) {
      size_t eq = value.find('=');
      if (error.empty() && (eq == std::string::npos || eq == 0))
        error = "--set takes NAME=VALUE, not '" + value + "'";
      else if (error.empty())
        o.sets.emplace_back(value.substr(0, eq), value.substr(eq + 1));
    } else if (!word.empty() && word[0] == '-') {
      error = "unknown option '" + word + "'";
    } else {
      positional.push_back(word);
    }
  }
  if (!error.empty()) return error;
  if (positional.empty()) return "no drawing given";
  if (positional.size() > 2) return "too many arguments: '" + positional[2] + "'";
  o.drawing = positional[0];
  if (positional.size() == 2) o.macro = positional[1];
  if (o.objectGiven && o.sheet.empty()) return "--object needs --sheet";
  if (o.save && !o.output.empty()) return "give --save or --output, not both";
  if (gSettings.libDir.isEmpty()) return "the standards live in the library: give --library DIR";
  return {};
}

std::string utf8(const Nx_String& text) {
  return base::cp1252ToUtf8(text.str());
}

Nx_String cp1252(const std::string& text) {
  return Nx_String(base::utf8ToCp1252(text));
}

const char* kindName(const KvVarCell& cell) {
  return cell.isInput() ? "Input" : cell.isOutput() ? "Output" : "Local";
}

const char* typeName(KvValueType type) {
  return type == kValueInt ? "Int" : type == kValueDouble ? "Double" : "String";
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
      if (end > start) out.push_back(base::cp1252ToUtf8(text_.substr(start, end - start)));
      start = end + 1;
    }
    return out;
  }

 private:
  std::string text_;
  AcutPrintSink previous_;
};

// One macro of the drawing, open for write, with its dialog data.
class MacroContext {
 public:
  MacroContext(Nx_Drawing& drawing, AcDbObjectId id, const Options& options)
      : drawing_(drawing), tr_(drawing.database()), options_(options) {
    if (tr_.getObject(dbMacro_, id, AcDb::kForWrite) != Acad::eOk) dbMacro_ = nullptr;
    if (dbMacro_) dbMacro_->getMacroData(data_);
  }
  bool isOpen() const { return dbMacro_ != nullptr; }
  Nx_Macro& macro() { return *dbMacro_->getMacroWrite(); }
  // Numeric overrides become the macro's own values where it has them.
  void applyOverrides() {
    for (const auto& [name, value] : options_.sets) {
      double number = 0;
      if (cp1252(value).toDouble(number) && macro().hasGeneralVariable(cp1252(name)))
        macro().setGeneralVariable(cp1252(name), number);
    }
  }
  eval::SheetRun run(const Nx_String& sheet, const Nx_String& object);
  // The dialog data goes back into the macro once its sheets ran.
  void store() { dbMacro_->setMacroData(data_); }

 private:
  void fillRequest(KvDlgStandardsData& request, Nx_DbMacro* macro, MacroData* data,
                   AcTransaction* tr, const Nx_String& sheet, const Nx_String& object);
  void readBefore(const std::string& snapshot, const KvDlgStandardsData& result,
                  const Nx_String& sheet, const Nx_String& object, eval::SheetRun& out);

  Nx_Drawing& drawing_;
  AcTransaction tr_;
  const Options& options_;
  Nx_DbMacro* dbMacro_ = nullptr;
  MacroData data_;
};

void MacroContext::fillRequest(KvDlgStandardsData& request, Nx_DbMacro* macro, MacroData* data,
                               AcTransaction* tr, const Nx_String& sheet, const Nx_String& object) {
  request.initialize(macro, sheet, object, data);
  request.transaction = tr;
  Nx_StringArray names;
  const Nx_Macro& m = *macro->getMacroWrite();
  m.getGeneralVariables(names);
  for (const Nx_String& name : names) {
    request.genVarNames.append(name);
    request.genVarValues.append(Nx_String(m.generalVariableValue(name), 8, false));
  }
  for (const auto& [name, value] : options_.sets) {
    int at = request.genVarNames.find(cp1252(name), false);
    if (at < 0) {
      request.genVarNames.append(cp1252(name));
      request.genVarValues.append(cp1252(value));
    } else {
      request.genVarValues[at] = cp1252(value);
    }
  }
}

eval::SheetRun MacroContext::run(const Nx_String& sheet, const Nx_String& object) {
  eval::SheetRun out;
  out.sheet = utf8(sheet);
  out.object = utf8(object);
  out.ran = true;
  store();
  const std::string snapshot = drawing_.toJson();

  KvDlgStandardsData request;
  fillRequest(request, dbMacro_, &data_, &tr_, sheet, object);
  if (request.moduleName.isEmpty()) {
    KvSSMapping mapping;
    if (mapping.getMappingFromFile(sheet, object) != Acad::eOk)
      out.warnings.push_back("no mapping line \"" + out.object + "\" in " +
                             utf8(KvSSMapping::mappingFilePath(sheet)) +
                             ": the sheet reads nothing from the macro");
  }
  bool ok = false;
  std::vector<std::string> printed;
  {
    CommandLineCapture capture;
    ok = StartDlgStandardsSS(request);
    printed = capture.lines();
  }
  out.ok = ok;
  if (!ok) {
    for (const std::string& line : printed)
      if (line.compare(0, 8, "*Error* ") == 0) out.error = line.substr(8);
    if (out.error.empty()) out.error = "the standards run failed";
  }
  for (const std::string& line : printed)
    if (ok || line.compare(0, 8 + out.error.size(), "*Error* " + out.error) != 0)
      out.warnings.push_back(line);
  if (ok) readBefore(snapshot, request, sheet, object, out);
  return out;
}

void MacroContext::readBefore(const std::string& snapshot, const KvDlgStandardsData& result,
                              const Nx_String& sheet, const Nx_String& object,
                              eval::SheetRun& out) {
  Nx_Drawing before;
  Nx_String error;
  Nx_DbMacro* macro = nullptr;
  before.loadText(snapshot, "snapshot", error);
  AcTransaction tr(before.database());
  tr.getObject(macro, before.findMacro(dbMacro_->name()), AcDb::kForWrite);
  MacroData data;
  if (macro) macro->getMacroData(data);
  KvDlgStandardsData request;
  if (macro) fillRequest(request, macro, &data, &tr, sheet, object);
  KvSSMapping mapping = result.varCells.mapping();
  for (int i = 0; i < result.varCells.length(); ++i) {
    const KvVarCell& cell = result.varCells[i];
    eval::Variable v{utf8(cell.name), kindName(cell), typeName(cell.valueType), "", true,
                     utf8(cell.value)};
    if (!cell.isLocal()) {
      Nx_String value;
      v.beforeKnown =
          macro && mapping.getMacroVarValue(cell.name, cell.valueType, value, request) == Acad::eOk;
      v.before = utf8(value);
    }
    out.variables.push_back(std::move(v));
  }
}

// The sheets to run on a macro: its attachments, or the one --sheet names.
bool sheetsOf(const Nx_Macro& macro, const Options& o, Nx_StringArray& sheets,
              Nx_StringArray& objects, std::string& error) {
  macro.getStandards(sheets, objects);
  if (o.sheet.empty()) return true;
  Nx_String sheet = cp1252(o.sheet);
  Nx_String object = cp1252(o.object);
  if (!o.objectGiven) {
    int at = sheets.find(sheet, false);
    if (at < 0) {
      error = "macro " + utf8(macro.name()) + " has no sheet \"" + o.sheet +
              "\" attached; give its mapping key with --object";
      return false;
    }
    object = objects[at];
  }
  sheets = {sheet};
  objects = {object};
  return true;
}

int runEval(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      printHelp();
      return kExitOk;
    }
  }
  Options options;
  if (std::string why = parse(args, options); !why.empty()) return usage(why);

  Nx_Drawing drawing;
  Nx_String error;
  if (!drawing.load(options.drawing.c_str(), error)) {
    std::fprintf(stderr, "ss-host eval: %s\n", utf8(error).c_str());
    return kExitFailed;
  }
  AcArray<AcDbObjectId> ids;
  if (options.macro.empty()) {
    drawing.getMacroIds(ids);
  } else {
    AcDbObjectId id = drawing.findMacro(cp1252(options.macro));
    if (id.isNull()) {
      std::fprintf(stderr, "ss-host eval: %s has no macro \"%s\"\n", options.drawing.c_str(),
                   options.macro.c_str());
      return kExitFailed;
    }
    ids.append(id);
  }

  eval::Report report;
  report.drawing = options.drawing;
  report.library = utf8(gSettings.libDir);
  bool allOk = true;
  for (const AcDbObjectId& id : ids) {
    MacroContext context(drawing, id, options);
    if (!context.isOpen()) continue;
    Nx_StringArray sheets, objects;
    std::string why;
    if (!sheetsOf(context.macro(), options, sheets, objects, why)) {
      // Without MACRO, --sheet picks the macros that have the sheet attached.
      if (options.macro.empty()) continue;
      std::fprintf(stderr, "ss-host eval: %s\n", why.c_str());
      return kExitFailed;
    }
    eval::MacroRun macroRun;
    macroRun.macro = utf8(context.macro().name());
    context.applyOverrides();
    bool failed = false;
    for (int i = 0; i < sheets.length(); ++i) {
      if (failed) {
        eval::SheetRun skipped;
        skipped.sheet = utf8(sheets[i]);
        skipped.object = utf8(objects[i]);
        macroRun.sheets.push_back(std::move(skipped));
        continue;
      }
      macroRun.sheets.push_back(context.run(sheets[i], objects[i]));
      failed = !macroRun.sheets.back().ok;
    }
    context.store();
    allOk &= !failed;
    report.macros.push_back(std::move(macroRun));
  }
  if (report.macros.empty() && !options.sheet.empty()) {
    std::fprintf(stderr, "ss-host eval: no macro of %s has the sheet \"%s\" attached\n",
                 options.drawing.c_str(), options.sheet.c_str());
    return kExitFailed;
  }

  std::string target = options.save ? options.drawing : options.output;
  int code = allOk ? kExitOk : kExitFailed;
  if (!target.empty() && allOk) {
    if (drawing.save(target.c_str(), error)) {
      report.savedTo = target;
    } else {
      std::fprintf(stderr, "ss-host eval: %s\n", utf8(error).c_str());
      code = kExitFailed;
    }
  }
  for (const eval::MacroRun& m : report.macros)
    for (const eval::SheetRun& s : m.sheets) {
      for (const std::string& w : s.warnings)
        std::fprintf(stderr, "ss-host eval: %s, %s: %s\n", m.macro.c_str(), s.sheet.c_str(),
                     w.c_str());
      if (s.ran && !s.ok)
        std::fprintf(stderr, "ss-host eval: %s, %s failed: %s\n", m.macro.c_str(), s.sheet.c_str(),
                     s.error.c_str());
    }
  if (!target.empty() && !allOk)
    std::fprintf(stderr, "ss-host eval: %s not written, as a run failed\n", target.c_str());
  std::string text = options.json ? eval::formatJson(report) : eval::formatText(report);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  return code;
}

}  // namespace

SSHOST_COMMAND({"eval", kUsage, kSummary, &runEval});
