#include <string>

#include "core/macro/DrawingFormat.h"
#include "core/macro/JsonWriter.h"
#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_ProfPlacementModule.h"

namespace drawing {

namespace {

void texts(JsonWriter& w, const char* key, const Nx_StringArray& list) {
  w.key(key);
  w.beginArray();
  for (const Nx_String& s : list) w.text(s);
  w.endArray();
}

void writeModule(JsonWriter& w, const Nx_Module& module, AcTransaction& tr) {
  w.beginObject();
  w.member("name", module.name());
  w.member("group", module.groupName());
  w.member("type", module.type());
  w.key("variables");
  w.beginArray();
  for (const Nx_ConstrVar& v : module.constrVars()) {
    w.beginObject();
    w.member("name", v.name);
    w.member("value", v.value);
    w.member("visible", v.visible);
    w.member("settable", v.settable);
    w.endObject();
  }
  w.endArray();
  w.key("cuts");
  w.beginArray();
  for (const Nx_CutConstraint& c : module.cuts()) {
    w.beginObject();
    w.member("name", c.name);
    w.member("type", cutTypeName(c.type));
    w.key("offsets");
    w.beginObject();
    AcArray<KvCutOffsetType> types;
    getCutOffsets(c.type, types);
    for (KvCutOffsetType o : types) {
      double value = 0.0;
      c.getOffset(o, value);
      w.member(cutOffsetName(o), value);
    }
    w.endObject();
    w.endObject();
  }
  w.endArray();
  if (const Nx_BoltModule* bolts = asBoltModule(&module)) {
    w.key("patterns");
    w.beginArray();
    AcArray<AcDbObjectId> ids;
    bolts->getPatternIds(ids);
    for (const AcDbObjectId& id : ids) {
      Nx_BoltPattern* pattern = nullptr;
      if (getPattern(id, pattern, &tr) != Acad::eOk) continue;
      w.beginObject();
      w.member("name", pattern->name());
      w.member("layout", pattern->layout()->type());
      bool reversed = false;
      pattern->reverseStart(1, reversed);
      w.member("reverseStart1", reversed);
      if (pattern->reverseStart(2, reversed) == Acad::eOk) w.member("reverseStart2", reversed);
      w.endObject();
    }
    w.endArray();
  }
  if (const Nx_ProfPlacementModule* placer = asProfPlacementModule(&module)) {
    w.key("placements");
    w.beginArray();
    for (const Nx_ProfPlacement& p : placer->placements()) {
      w.beginObject();
      w.member("name", p.name);
      w.member("profileGroup", p.profileGroup);
      w.member("section", p.section);
      w.member("material", p.material);
      w.endObject();
    }
    w.endArray();
  }
  w.endObject();
}

void writeDialog(JsonWriter& w, const MacroData& data) {
  w.beginObject();
  w.member("kind", data.kind);
  texts(w, "names", data.names);
  texts(w, "groupNames", data.groupNames);
  w.member("currentGroup", data.currentGroup);
  w.member("openTab", data.openTab);
  w.member("profileSpecialMode", data.profileSpecialMode);
  w.key("filters");
  w.beginArray();
  w.integer(data.filter1);
  w.integer(data.filter2);
  w.endArray();
  w.member("propertyLists", data.allowPropLists);
  texts(w, "propertyFiles", data.propFiles);
  w.key("tabs");
  w.beginArray();
  for (const MacroTabData& tab : data.tabs) writeTab(w, tab);
  w.endArray();
  w.endObject();
}

void writeMacro(JsonWriter& w, const Nx_DbMacro& dbMacro, AcTransaction& tr) {
  const Nx_Macro& macro = *dbMacro.getMacro();
  w.beginObject();
  w.member("name", macro.name());
  w.member("kind", macro.kind());
  w.key("generalVariables");
  w.beginArray();
  Nx_StringArray names;
  macro.getGeneralVariables(names);
  for (const Nx_String& n : names) {
    w.beginObject();
    w.member("name", n);
    w.member("value", macro.generalVariableValue(n));
    w.endObject();
  }
  w.endArray();
  w.key("baseProfiles");
  w.beginArray();
  for (int i = 0; i < dbMacro.baseProfCount(); ++i) {
    Nx_DbProfile* profile = nullptr;
    if (dbMacro.getBaseProf(i, profile, &tr) != Acad::eOk) continue;
    w.beginObject();
    w.member("section", profile->section());
    w.member("material", profile->material());
    w.endObject();
  }
  w.endArray();
  w.key("standards");
  w.beginArray();
  Nx_StringArray sheets, objects;
  macro.getStandards(sheets, objects);
  for (int i = 0; i < sheets.length(); ++i) {
    w.beginObject();
    w.member("sheet", sheets[i]);
    w.member("object", objects[i]);
    w.endObject();
  }
  w.endArray();
  w.key("modules");
  w.beginArray();
  for (int i = 0; i < macro.moduleCount(); ++i) writeModule(w, *macro.module(i), tr);
  w.endArray();
  MacroData data;
  dbMacro.getMacroData(data);
  w.key("dialog");
  writeDialog(w, data);
  w.endObject();
}

}  // namespace

void writeTab(JsonWriter& w, const MacroTabData& tab) {
  w.beginObject();
  w.member("name", tab.name);
  w.member("title", tab.title);
  w.member("kind", tab.kind);
  w.member("viewDirection", tab.viewDirection);
  if (!tab.designedDialog.isEmpty()) w.member("designedDialog", tab.designedDialog);
  if (const MacroBoltData* bolts = tab.getBoltData()) {
    w.key("bolts");
    w.beginObject();
    w.member("diameter", bolts->diameter);
    w.member("holeOffset", bolts->holeOffset);
    // Only a chosen assembly is written: files without one stay as they were.
    if (!bolts->assembly.isEmpty()) w.member("assembly", bolts->assembly);
    w.endObject();
  }
  w.key("patterns");
  w.beginArray();
  for (const MacroPatternData& p : tab.patterns) {
    w.beginObject();
    w.member("pattern", p.pattern);
    w.member("nrBolts1", p.nrBolts1);
    if (p.twoDirections) w.member("nrBolts2", p.nrBolts2);
    w.endObject();
  }
  w.endArray();
  w.key("flexFix");
  w.beginArray();
  for (const MacroFlexFixData& f : tab.flexFix) {
    w.beginObject();
    w.member("variable", f.variable);
    w.member("fixed", f.fixed);
    w.member("flex", f.flex);
    w.endObject();
  }
  w.endArray();
  w.key("mergedProps");
  w.beginArray();
  for (const MacroProfData& p : tab.mergedProps) {
    w.beginObject();
    w.member("profileGroup", p.profileGroup);
    w.member("memberName", p.memberName);
    w.endObject();
  }
  w.endArray();
  w.endObject();
}

void writeDrawing(AcDbDatabase& db, const AcArray<AcDbObjectId>& macroIds, JsonWriter& w) {
  w.beginObject();
  w.member("format", kFormatName);
  w.member("version", kFormatVersion);
  w.key("macros");
  w.beginArray();
  for (const AcDbObjectId& id : macroIds) {
    // One transaction per macro: a transaction's look-up of what it opened
    // grows with everything it holds.
    AcTransaction tr(db);
    Nx_DbMacro* macro = nullptr;
    if (tr.getObject(macro, id, AcDb::kForRead) == Acad::eOk) writeMacro(w, *macro, tr);
  }
  w.endArray();
  w.endObject();
}

}  // namespace drawing
