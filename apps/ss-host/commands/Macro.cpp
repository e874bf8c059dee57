// `ss-host macro list DRAWING` and `ss-host macro show DRAWING MACRO`: the
// macros of a drawing file and every value a standards sheet can exchange
// with one of them.
#include <cstdio>
#include <string>
#include <vector>

#include "apps/ss-host/GlobalOptions.h"
#include "apps/ss-host/HostCommand.h"
#include "core/Nx_Settings.h"
#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_Drawing.h"
#include "core/macro/Nx_ProfPlacementModule.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "mapping/KvObjectMap.h"
#include "platform/base/Cp1252.h"

namespace {

const char kUsage[] = "macro list DRAWING | macro show DRAWING MACRO";
const char kSummary[] = "List the macros of a drawing file, or show every value of one macro";

std::string out(const Nx_String& s) {
  return base::cp1252ToUtf8(s.str());
}

void printHelp() {
  std::printf(
      "Usage: ss-host [options] %s\n%s.\n\n"
      "  list DRAWING        one line per macro: name, kind, modules, base profiles, standards\n"
      "  show DRAWING MACRO  the macro's standards and every value a standards sheet can read\n"
      "                      or write, by module group, kind and name, as the sheet sees it\n"
      "                      (section sizes need the library: --library DIR)\n",
      kUsage, kSummary);
}

bool openDrawing(const std::string& path, Nx_Drawing& drawing) {
  Nx_String error;
  if (drawing.load(path.c_str(), error)) return true;
  std::fprintf(stderr, "ss-host macro: %s\n", out(error).c_str());
  return false;
}

int listMacros(const std::string& path) {
  Nx_Drawing drawing;
  if (!openDrawing(path, drawing)) return kExitFailed;
  AcArray<AcDbObjectId> ids;
  drawing.getMacroIds(ids);
  std::printf("%s: %d macro%s\n", path.c_str(), ids.length(), ids.length() == 1 ? "" : "s");
  AcTransaction tr(drawing.database());
  for (const AcDbObjectId& id : ids) {
    Nx_DbMacro* dbMacro = nullptr;
    if (tr.getObject(dbMacro, id, AcDb::kForRead) != Acad::eOk) continue;
    const Nx_Macro& macro = *dbMacro->getMacro();
    Nx_StringArray sheets, objects;
    macro.getStandards(sheets, objects);
    std::printf("  %-12s %-12s modules %d, base profiles %d, standards %d\n",
                out(macro.name()).c_str(), out(macro.kind()).c_str(), macro.moduleCount(),
                dbMacro->baseProfCount(), sheets.length());
  }
  return kExitOk;
}

// Prints the entries of one object as the sheets see them.
class ValuePrinter {
 public:
  ValuePrinter(Nx_DbMacro* macro, MacroData* data, AcTransaction* tr)
      : macro_(macro), data_(data), tr_(tr) {}

  void print(const Nx_String& group, KvObjectKind kind, const Nx_String& var,
             const char* note = "") {
    KvObjectMap entry;
    entry.objectName = group;
    entry.kind = kind;
    entry.varName = var;
    for (const KvObjectMap& done : printed_)
      if (done.isCompatible(entry) == Acad::eOk) return;
    printed_.push_back(entry);
    Nx_String value;
    bool ok = entry.getMacroVarValue(macro_, data_, value, tr_) == Acad::eOk;
    std::string name = objectKindKeyword(kind);
    if (!var.isEmpty()) name += " " + out(var);
    std::printf("  %-34s = %s%s\n", name.c_str(), ok ? out(value).c_str() : "(cannot be read)",
                note);
  }

 private:
  Nx_DbMacro* macro_;
  MacroData* data_;
  AcTransaction* tr_;
  std::vector<KvObjectMap> printed_;
};

const char* flagsNote(const Nx_ConstrVar& v) {
  if (v.visible && v.settable) return "";
  if (v.visible) return "  (visible, not settable)";
  if (v.settable) return "  (hidden, settable)";
  return "  (hidden, not settable)";
}

void printModuleValues(ValuePrinter& p, const Nx_String& group, Nx_Module& module,
                       AcTransaction& tr) {
  for (const Nx_ConstrVar& v : module.constrVars())
    p.print(group, kObjDistance, v.name, flagsNote(v));
  for (const Nx_CutConstraint& c : module.cuts()) {
    AcArray<KvCutOffsetType> offsets;
    getCutOffsets(c.type, offsets);
    for (KvCutOffsetType o : offsets) p.print(group, kindOfCutOffset(o), c.name);
  }
  if (Nx_BoltModule* bolts = asBoltModule(&module)) {
    p.print(group, kObjBoltsDiameter, "");
    p.print(group, kObjBoltsHoleOffset, "");
    AcArray<AcDbObjectId> ids;
    bolts->getPatternIds(ids);
    for (const AcDbObjectId& id : ids) {
      Nx_BoltPattern* pattern = nullptr;
      if (getPattern(id, pattern, &tr) != Acad::eOk) continue;
      p.print(group, kObjPatternNrBolts1, pattern->name());
      if (pattern->layout()->isTwoDirectional())
        p.print(group, kObjPatternNrBolts2, pattern->name());
      p.print(group, kObjPatternReverseStart1, pattern->name());
      if (pattern->layout()->isTwoDirectional())
        p.print(group, kObjPatternReverseStart2, pattern->name());
    }
  }
  if (Nx_ProfPlacementModule* placer = asProfPlacementModule(&module))
    for (const Nx_ProfPlacement& pl : placer->placements())
      if (!pl.profileGroup.isEmpty()) p.print(group, kObjOwnedMemberName, pl.profileGroup);
}

int showMacro(const std::string& path, const std::string& name) {
  Nx_Drawing drawing;
  if (!openDrawing(path, drawing)) return kExitFailed;
  AcDbObjectId id = drawing.findMacro(base::utf8ToCp1252(name).c_str());
  if (id.isNull()) {
    std::fprintf(stderr, "ss-host macro: %s has no macro \"%s\"\n", path.c_str(), name.c_str());
    return kExitFailed;
  }
  AcTransaction tr(drawing.database());
  Nx_DbMacro* dbMacro = nullptr;
  // Values are reached as the standards reach them: with the macro open for write.
  if (tr.getObject(dbMacro, id, AcDb::kForWrite) != Acad::eOk) return kExitFailed;
  Nx_Macro& macro = *dbMacro->getMacroWrite();
  MacroData data;
  dbMacro->getMacroData(data);

  std::printf("Macro %s (%s)\n", out(macro.name()).c_str(), out(macro.kind()).c_str());
  Nx_StringArray sheets, objects;
  macro.getStandards(sheets, objects);
  std::printf("Standards (%d):\n", sheets.length());
  for (int i = 0; i < sheets.length(); ++i)
    std::printf("  %d. %s -> %s\n", i + 1, out(sheets[i]).c_str(),
                objects[i].isEmpty() ? "(no mapping yet)" : out(objects[i]).c_str());

  ValuePrinter printer(dbMacro, &data, &tr);
  std::printf("Macro values:\n");
  Nx_StringArray genVars;
  macro.getGeneralVariables(genVars);
  for (const Nx_String& g : genVars) printer.print("", kObjGenVar, g);
  for (int i = 0; i < dbMacro->baseProfCount(); ++i) {
    Nx_String prof = "Prof" + Nx_String(i);
    printer.print("", kObjPrPlName, prof);
    printer.print("", kObjPrPlMaterial, prof);
    Nx_DbProfile* profile = nullptr;
    Nx_String section;
    Nx_StringArray columns;
    if (dbMacro->getBaseProf(i, profile, &tr) != Acad::eOk ||
        getSectionName(profile, section) != Acad::eOk ||
        getSectionColumnNames(section, columns) != Acad::eOk) {
      std::printf("  %-34s   (no section table%s)\n",
                  ("MemberSectionSize " + out(prof) + ";...").c_str(),
                  gSettings.libDir.isEmpty() ? "; use --library DIR" : "");
      continue;
    }
    for (int c = 0; c < columns.length(); ++c)
      printer.print("", kObjMemberSectionSize, prof + ";" + Nx_String(c),
                    ("  (" + out(columns[c]) + ")").c_str());
  }

  Nx_StringArray groups;
  macro.getGroupNames(groups);
  for (const Nx_String& group : groups) {
    Nx_StringArray modules;
    macro.getModNamesOfGroup(group, modules);
    std::string list;
    for (const Nx_String& m : modules) list += (list.empty() ? "" : ", ") + out(m);
    std::printf("Group %s (modules %s):\n", out(group).c_str(), list.c_str());
    for (const Nx_String& m : modules) {
      Nx_Module* module = nullptr;
      if (macro.findModuleWrite(m, module) == Acad::eOk)
        printModuleValues(printer, group, *module, tr);
    }
  }
  return kExitOk;
}

int runMacro(const std::vector<std::string>& args) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    printHelp();
    return args.empty() ? kExitUsage : kExitOk;
  }
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      printHelp();
      return kExitOk;
    }
  }
  if (args[0] == "list" && args.size() == 2) return listMacros(args[1]);
  if (args[0] == "show" && args.size() == 3) return showMacro(args[1], args[2]);
  std::fprintf(stderr, "ss-host macro: expected \"list DRAWING\" or \"show DRAWING MACRO\"\n");
  return kExitUsage;
}

}  // namespace

SSHOST_COMMAND({"macro", kUsage, kSummary, &runMacro});
