#include <cmath>
#include <string>
#include <vector>

#include "core/macro/DrawingFormat.h"
#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_ProfPlacementModule.h"
#include "platform/base/Cp1252.h"

namespace drawing {

namespace {

using ojson = nlohmann::ordered_json;

ojson text(const Nx_String& s) {
  return base::cp1252ToUtf8(s.str());
}

ojson texts(const Nx_StringArray& list) {
  ojson out = ojson::array();
  for (const Nx_String& s : list) out.push_back(text(s));
  return out;
}

ojson writeModule(const Nx_Module& module, AcTransaction& tr) {
  ojson m;
  m["name"] = text(module.name());
  m["group"] = text(module.groupName());
  m["type"] = module.type();
  ojson vars = ojson::array();
  for (const Nx_ConstrVar& v : module.constrVars())
    vars.push_back({{"name", text(v.name)},
                    {"value", v.value},
                    {"visible", v.visible},
                    {"settable", v.settable}});
  m["variables"] = vars;
  ojson cuts = ojson::array();
  for (const Nx_CutConstraint& c : module.cuts()) {
    ojson offsets = ojson::object();
    AcArray<KvCutOffsetType> types;
    getCutOffsets(c.type, types);
    for (KvCutOffsetType o : types) {
      double value = 0.0;
      c.getOffset(o, value);
      offsets[cutOffsetName(o)] = value;
    }
    cuts.push_back({{"name", text(c.name)}, {"type", cutTypeName(c.type)}, {"offsets", offsets}});
  }
  m["cuts"] = cuts;
  if (const Nx_BoltModule* bolts = asBoltModule(&module)) {
    ojson patterns = ojson::array();
    AcArray<AcDbObjectId> ids;
    bolts->getPatternIds(ids);
    for (const AcDbObjectId& id : ids) {
      Nx_BoltPattern* pattern = nullptr;
      if (getPattern(id, pattern, &tr) != Acad::eOk) continue;
      ojson p;
      p["name"] = text(pattern->name());
      p["layout"] = pattern->layout()->type();
      bool reversed = false;
      pattern->reverseStart(1, reversed);
      p["reverseStart1"] = reversed;
      if (pattern->reverseStart(2, reversed) == Acad::eOk) p["reverseStart2"] = reversed;
      patterns.push_back(p);
    }
    m["patterns"] = patterns;
  }
  if (const Nx_ProfPlacementModule* placer = asProfPlacementModule(&module)) {
    ojson placements = ojson::array();
    for (const Nx_ProfPlacement& p : placer->placements())
      placements.push_back({{"name", text(p.name)},
                            {"profileGroup", text(p.profileGroup)},
                            {"section", text(p.section)},
                            {"material", text(p.material)}});
    m["placements"] = placements;
  }
  return m;
}

ojson writeDialog(const MacroData& data) {
  ojson d;
  d["kind"] = data.kind;
  d["names"] = texts(data.names);
  d["groupNames"] = texts(data.groupNames);
  d["currentGroup"] = data.currentGroup;
  d["openTab"] = text(data.openTab);
  d["profileSpecialMode"] = data.profileSpecialMode;
  d["filters"] = {data.filter1, data.filter2};
  d["propertyLists"] = data.allowPropLists;
  d["propertyFiles"] = texts(data.propFiles);
  ojson tabs = ojson::array();
  for (const MacroTabData& tab : data.tabs) tabs.push_back(writeTab(tab));
  d["tabs"] = tabs;
  return d;
}

ojson writeMacro(const Nx_DbMacro& dbMacro, AcTransaction& tr) {
  const Nx_Macro& macro = *dbMacro.getMacro();
  ojson m;
  m["name"] = text(macro.name());
  m["kind"] = text(macro.kind());
  ojson genVars = ojson::array();
  Nx_StringArray names;
  macro.getGeneralVariables(names);
  for (const Nx_String& n : names)
    genVars.push_back({{"name", text(n)}, {"value", macro.generalVariableValue(n)}});
  m["generalVariables"] = genVars;
  ojson profiles = ojson::array();
  for (int i = 0; i < dbMacro.baseProfCount(); ++i) {
    Nx_DbProfile* profile = nullptr;
    if (dbMacro.getBaseProf(i, profile, &tr) != Acad::eOk) continue;
    profiles.push_back(
        {{"section", text(profile->section())}, {"material", text(profile->material())}});
  }
  m["baseProfiles"] = profiles;
  ojson standards = ojson::array();
  Nx_StringArray sheets, objects;
  macro.getStandards(sheets, objects);
  for (int i = 0; i < sheets.length(); ++i)
    standards.push_back({{"sheet", text(sheets[i])}, {"object", text(objects[i])}});
  m["standards"] = standards;
  ojson modules = ojson::array();
  for (int i = 0; i < macro.moduleCount(); ++i)
    modules.push_back(writeModule(*macro.module(i), tr));
  m["modules"] = modules;
  MacroData data;
  dbMacro.getMacroData(data);
  m["dialog"] = writeDialog(data);
  return m;
}

// Depth-first search for the first number JSON cannot hold; the pointer's
// segments and the names of the enclosing objects are kept on stacks and
// joined only for the one value reported.
class NonFiniteSearch {
 public:
  bool find(const ojson& j, LoadError& found) {
    if (j.is_number_float()) {
      double v = j.get<double>();
      if (std::isfinite(v)) return false;
      found.where.clear();
      for (const std::string& s : path_) found.where += "/" + s;
      std::string owner;
      for (const std::string* n : names_)
        owner += (owner.empty() ? "\"" : " > \"") + base::utf8ToCp1252(*n) + "\"";
      found.what = "the value of " + (owner.empty() ? std::string("the drawing") : owner) + " is " +
                   (std::isnan(v) ? "nan"
                    : v > 0       ? "inf"
                                  : "-inf") +
                   ", which a drawing cannot hold (finite numbers only)";
      return true;
    }
    if (j.is_array()) {
      for (size_t i = 0; i < j.size(); ++i)
        if (within(std::to_string(i), j[i], found)) return true;
    } else if (j.is_object()) {
      auto name = j.find("name");
      bool named = name != j.end() && name->is_string();
      if (named) names_.push_back(&name->get_ref<const std::string&>());
      for (const auto& [key, value] : j.items())
        if (within(key, value, found)) return true;
      if (named) names_.pop_back();
    }
    return false;
  }

 private:
  bool within(std::string segment, const ojson& j, LoadError& found) {
    path_.push_back(std::move(segment));
    bool hit = find(j, found);
    path_.pop_back();
    return hit;
  }

  std::vector<std::string> path_;
  std::vector<const std::string*> names_;
};

}  // namespace

bool findNonFinite(const nlohmann::ordered_json& root, LoadError& found) {
  return NonFiniteSearch().find(root, found);
}

nlohmann::ordered_json writeTab(const MacroTabData& tab) {
  ojson t;
  t["name"] = text(tab.name);
  t["title"] = text(tab.title);
  t["kind"] = tab.kind;
  t["viewDirection"] = tab.viewDirection;
  if (!tab.designedDialog.isEmpty()) t["designedDialog"] = text(tab.designedDialog);
  if (const MacroBoltData* bolts = tab.getBoltData()) {
    t["bolts"] = {{"diameter", text(bolts->diameter)}, {"holeOffset", text(bolts->holeOffset)}};
    // Only a chosen assembly is written: files without one stay as they were.
    if (!bolts->assembly.isEmpty()) t["bolts"]["assembly"] = text(bolts->assembly);
  }
  ojson patterns = ojson::array();
  for (const MacroPatternData& p : tab.patterns) {
    ojson e = {{"pattern", text(p.pattern)}, {"nrBolts1", text(p.nrBolts1)}};
    if (p.twoDirections) e["nrBolts2"] = text(p.nrBolts2);
    patterns.push_back(e);
  }
  t["patterns"] = patterns;
  ojson flexFix = ojson::array();
  for (const MacroFlexFixData& f : tab.flexFix)
    flexFix.push_back({{"variable", text(f.variable)}, {"fixed", f.fixed}, {"flex", f.flex}});
  t["flexFix"] = flexFix;
  ojson merged = ojson::array();
  for (const MacroProfData& p : tab.mergedProps)
    merged.push_back({{"profileGroup", text(p.profileGroup)}, {"memberName", text(p.memberName)}});
  t["mergedProps"] = merged;
  return t;
}

nlohmann::ordered_json writeDrawing(AcDbDatabase& db, const AcArray<AcDbObjectId>& macroIds) {
  ojson root;
  root["format"] = kFormatName;
  root["version"] = kFormatVersion;
  ojson macros = ojson::array();
  for (const AcDbObjectId& id : macroIds) {
    // One transaction per macro: a transaction's look-up of what it opened
    // grows with everything it holds.
    AcTransaction tr(db);
    Nx_DbMacro* macro = nullptr;
    if (tr.getObject(macro, id, AcDb::kForRead) == Acad::eOk)
      macros.push_back(writeMacro(*macro, tr));
  }
  root["macros"] = macros;
  return root;
}

}  // namespace drawing
