#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/macro/DrawingFormat.h"
#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_ProfPlacementModule.h"

namespace drawing {

namespace {

// Complains about the second use of a name (without case) in one list. Most
// lists are short and are compared in place; past a few names a hash set
// takes over, since a macro may hold tens of thousands of modules.
class UniqueNames {
 public:
  explicit UniqueNames(const char* what) : what_(what) {}
  void add(const JsonField& field, const Nx_String& name) {
    if (name.isEmpty()) field.expected(std::string("a ") + what_ + " name that is not empty");
    if (!fresh(name)) field.fail(usedTwice(what_, name.str()));
  }

 private:
  static constexpr size_t kFew = 16;
  bool fresh(const Nx_String& name) {
    if (few_.size() < kFew) {
      for (const Nx_String& n : few_)
        if (n.equal(name, false)) return false;
      few_.push_back(name);
      return true;
    }
    if (seen_.empty())
      for (const Nx_String& n : few_) seen_.insert(n.lower().str());
    return seen_.insert(name.lower().str()).second;
  }

  const char* what_;
  std::vector<Nx_String> few_;            // the first kFew names
  std::unordered_set<std::string> seen_;  // all names, once there are more
};

}  // namespace

std::string usedTwice(const char* what, const std::string& name) {
  return std::string("the ") + what + " name \"" + name + "\" is used twice";
}

namespace {

class MacroReader {
 public:
  explicit MacroReader(AcDbDatabase& db) : db_(db) {}
  AcDbObjectId read(const JsonField& m);

 private:
  std::unique_ptr<Nx_Module> readModule(const JsonField& f);
  void readVariables(const JsonField& f, Nx_Module& module);
  void readCuts(const JsonField& f, Nx_Module& module);
  void readPatterns(const JsonField& f, Nx_BoltModule& module);
  void readPlacements(const JsonField& f, Nx_ProfPlacementModule& module);
  MacroData readDialog(const JsonField& f);

  AcDbDatabase& db_;
  PatternDirections patterns_;
};

AcDbObjectId MacroReader::read(const JsonField& m) {
  patterns_.clear();
  m.requireObject(
      {"name", "kind", "generalVariables", "baseProfiles", "standards", "modules", "dialog"});
  Nx_Macro macro(m.text("name"), m.text("kind", Nx_String()));
  if (macro.name().isEmpty()) m.at("name").expected("a macro name that is not empty");

  UniqueNames genVars("general variable");
  for (const JsonField& g : m.elements("generalVariables")) {
    g.requireObject({"name", "value"});
    Nx_String name = g.text("name");
    genVars.add(g.at("name"), name);
    macro.setGeneralVariable(name, g.number("value"));
  }

  UniqueNames moduleNames("module");
  std::vector<std::unique_ptr<Nx_Module>> modules;
  for (const JsonField& f : m.elements("modules")) {
    modules.push_back(readModule(f));
    moduleNames.add(f.at("name"), modules.back()->name());
  }
  macro.addModules(std::move(modules));

  Nx_StringArray sheets, objects;
  for (const JsonField& s : m.elements("standards")) {
    s.requireObject({"sheet", "object"});
    Nx_String sheet = s.text("sheet");
    if (sheet.isEmpty()) s.at("sheet").expected("a sheet name that is not empty");
    sheets.append(sheet);
    objects.append(s.text("object", Nx_String()));
  }
  macro.setStandards(sheets, objects);

  AcArray<AcDbObjectId> profiles;
  for (const JsonField& p : m.elements("baseProfiles")) {
    p.requireObject({"section", "material"});
    profiles.append(db_.addObject(
        std::make_unique<Nx_DbProfile>(p.text("section"), p.text("material", Nx_String()))));
  }

  bool hasDialog = m.has("dialog");
  MacroData data = hasDialog ? readDialog(m.at("dialog")) : MacroData();

  AcDbObjectId id = db_.addObject(std::make_unique<Nx_DbMacro>(std::move(macro)));
  AcTransaction tr(db_);
  Nx_DbMacro* dbMacro = nullptr;
  tr.getObject(dbMacro, id, AcDb::kForWrite);
  dbMacro->setBaseProfIds(profiles);
  if (!hasDialog) data.initFromMacro(*dbMacro->getMacro(), &tr);
  data.macroId = id;
  dbMacro->setMacroData(data);
  dbMacro->clearModified();
  return id;
}

std::unique_ptr<Nx_Module> MacroReader::readModule(const JsonField& f) {
  f.requireObject({"name", "group", "type", "variables", "cuts", "patterns", "placements"});
  Nx_String name = f.text("name");
  Nx_String group = f.text("group", Nx_String());
  int type = f.integer("type");
  std::unique_ptr<Nx_Module> module;
  if (type == kPlateModule)
    module = std::make_unique<Nx_Module>(name, group);
  else if (type == kBoltModule)
    module = std::make_unique<Nx_BoltModule>(name, group);
  else if (type == kProfPlacementModule)
    module = std::make_unique<Nx_ProfPlacementModule>(name, group);
  else
    f.at("type").expected("231 (plate), 232 (bolts) or 233 (profile placements)");

  if (f.has("patterns") && type != kBoltModule)
    f.at("patterns").fail("only a bolt module (type 232) has patterns");
  if (f.has("placements") && type != kProfPlacementModule)
    f.at("placements").fail("only a profile-placement module (type 233) has placements");

  readVariables(f, *module);
  readCuts(f, *module);
  if (auto* bolts = asBoltModule(module.get())) readPatterns(f, *bolts);
  if (auto* placer = asProfPlacementModule(module.get())) readPlacements(f, *placer);
  return module;
}

void MacroReader::readVariables(const JsonField& f, Nx_Module& module) {
  UniqueNames names("variable");
  for (const JsonField& v : f.elements("variables")) {
    v.requireObject({"name", "value", "visible", "settable"});
    Nx_String name = v.text("name");
    names.add(v.at("name"), name);
    module.constrVars().append(
        Nx_ConstrVar(name, v.number("value"), v.flag("visible", true), v.flag("settable", true)));
  }
}

void MacroReader::readCuts(const JsonField& f, Nx_Module& module) {
  UniqueNames names("cut");
  for (const JsonField& c : f.elements("cuts")) {
    c.requireObject({"name", "type", "offsets"});
    Nx_String name = c.text("name");
    names.add(c.at("name"), name);
    Nx_ConstraintCutType type = kCutStraight;
    if (!cutTypeFromName(c.text("type"), type)) {
      std::string list;
      for (int t = 0; t < kCutTypeCount; ++t)
        list += std::string(t ? ", " : "") + cutTypeName(static_cast<Nx_ConstraintCutType>(t));
      c.at("type").expected("a cut type (" + list + ")");
    }
    Nx_CutConstraint cut(name, type);
    if (c.has("offsets")) {
      JsonField offsets = c.at("offsets");
      if (!offsets.isObject()) offsets.expected("an object");
      for (const JsonField& field : offsets.members()) {
        const std::string key(field.key());
        bool known = false;
        for (int o = 0; o < kCutOffsetTypeCount && !known; ++o) {
          auto offset = static_cast<KvCutOffsetType>(o);
          if (key != cutOffsetName(offset)) continue;
          known = true;
          if (cut.setOffset(offset, field.asNumber()) != Acad::eOk)
            field.fail("a cut of type \"" + std::string(cutTypeName(type)) + "\" has no " + key);
        }
        if (!known) field.fail("unknown cut offset \"" + key + "\"");
      }
    }
    module.cuts().append(cut);
  }
}

void MacroReader::readPatterns(const JsonField& f, Nx_BoltModule& module) {
  UniqueNames names("pattern");
  for (const JsonField& p : f.elements("patterns")) {
    p.requireObject({"name", "layout", "reverseStart1", "reverseStart2"});
    Nx_String name = p.text("name");
    names.add(p.at("name"), name);
    int layout = p.integer("layout");
    if (layout != kLineLayout && layout != kGridLayout)
      p.at("layout").expected("281 (one direction) or 282 (two directions)");
    if (layout != kGridLayout && p.has("reverseStart2"))
      p.at("reverseStart2").fail("only a pattern of layout 282 has a second direction");
    auto pattern = std::make_unique<Nx_BoltPattern>(name, layout, p.flag("reverseStart1", false),
                                                    p.flag("reverseStart2", false));
    module.addPatternId(db_.addObject(std::move(pattern)));
    // Of two modules of one group with a pattern of one name, the later counts.
    patterns_.insert_or_assign(patternKey(module.tabName(), name), layout == kGridLayout);
  }
}

void MacroReader::readPlacements(const JsonField& f, Nx_ProfPlacementModule& module) {
  for (const JsonField& p : f.elements("placements")) {
    p.requireObject({"name", "profileGroup", "section", "material"});
    module.placements().append(
        Nx_ProfPlacement(p.text("name", Nx_String()), p.text("profileGroup", Nx_String()),
                         p.text("section", Nx_String()), p.text("material", Nx_String())));
  }
}

MacroData MacroReader::readDialog(const JsonField& f) {
  f.requireObject({"kind", "names", "groupNames", "currentGroup", "openTab", "profileSpecialMode",
                   "filters", "propertyLists", "propertyFiles", "tabs"});
  MacroData data;
  data.kind = f.integer("kind", 0);
  data.names = f.texts("names");
  data.groupNames = f.texts("groupNames");
  data.currentGroup = f.integer("currentGroup", -1);
  data.openTab = f.text("openTab", Nx_String());
  data.profileSpecialMode = f.flag("profileSpecialMode", false);
  std::vector<JsonField> filters = f.elements("filters");
  if (!filters.empty() && filters.size() != 2) f.at("filters").expected("two whole numbers");
  if (filters.size() == 2) {
    data.filter1 = filters[0].asInteger();
    data.filter2 = filters[1].asInteger();
  }
  data.allowPropLists = f.flag("propertyLists", false);
  data.propFiles = f.texts("propertyFiles");
  UniqueNames tabs("tab");
  for (const JsonField& t : f.elements("tabs")) {
    MacroTabData tab = readTab(t, &patterns_);
    tabs.add(t.at("name"), tab.name);
    data.tabs.append(tab);
  }
  return data;
}

}  // namespace

std::string patternKey(const Nx_String& tab, const Nx_String& name) {
  return std::to_string(tab.length()) + ':' + tab.lower().str() + name.lower().str();
}

MacroTabData readTab(const JsonField& f, const PatternDirections* patterns) {
  f.requireObject({"name", "title", "kind", "viewDirection", "designedDialog", "bolts", "patterns",
                   "flexFix", "mergedProps"});
  MacroTabData tab(f.text("name"), f.text("title", Nx_String()), f.integer("kind", kTabGrid));
  tab.viewDirection = f.integer("viewDirection", 3);
  if (tab.viewDirection < 0 || tab.viewDirection > 3)
    f.at("viewDirection").expected("a view direction from 0 to 3");
  tab.designedDialog = f.text("designedDialog", Nx_String());
  if (f.has("bolts")) {
    JsonField b = f.at("bolts");
    b.requireObject({"diameter", "holeOffset", "assembly"});
    MacroBoltData bolts(b.text("diameter", Nx_String()), b.text("holeOffset", Nx_String()));
    bolts.assembly = b.text("assembly", Nx_String());
    tab.setBoltData(bolts);
  }
  UniqueNames patternNames("pattern");
  for (const JsonField& p : f.elements("patterns")) {
    p.requireObject({"pattern", "nrBolts1", "nrBolts2"});
    Nx_String name = p.text("pattern");
    patternNames.add(p.at("pattern"), name);
    bool twoDirections = p.has("nrBolts2");
    if (patterns) {
      // The tab edits patterns of its own module group only, one count per direction.
      auto info = patterns->find(patternKey(tab.name, name));
      if (info == patterns->end())
        p.at("pattern").fail("no bolt module of group \"" + tab.name.str() + "\" has a pattern \"" +
                             name.str() + "\"");
      bool patternTwoDirections = info->second;
      if (patternTwoDirections && !twoDirections)
        p.fail("missing key \"nrBolts2\" (the pattern has layout 282)");
      if (!patternTwoDirections && twoDirections)
        p.at("nrBolts2").fail("only a pattern of layout 282 has a second direction");
    }
    if (twoDirections)
      tab.patterns.append(MacroPatternData(name, p.text("nrBolts1"), p.text("nrBolts2")));
    else
      tab.patterns.append(MacroPatternData(name, p.text("nrBolts1")));
  }
  UniqueNames flexNames("flex/fix variable");
  for (const JsonField& x : f.elements("flexFix")) {
    x.requireObject({"variable", "fixed", "flex"});
    Nx_String variable = x.text("variable");
    flexNames.add(x.at("variable"), variable);
    tab.flexFix.append(MacroFlexFixData(variable, x.flag("fixed", false), x.flag("flex", true)));
  }
  UniqueNames groups("profile group");
  for (const JsonField& g : f.elements("mergedProps")) {
    g.requireObject({"profileGroup", "memberName"});
    Nx_String group = g.text("profileGroup");
    groups.add(g.at("profileGroup"), group);
    tab.mergedProps.append(MacroProfData(group, g.text("memberName", Nx_String())));
  }
  return tab;
}

void readDrawing(const JsonField& root, AcDbDatabase& db, AcArray<AcDbObjectId>& macroIds) {
  root.requireObject({"format", "version", "macros"});
  if (root.text("format") != Nx_String(kFormatName))
    root.at("format").expected(std::string("\"") + kFormatName + "\"");
  if (root.integer("version") != kFormatVersion)
    root.at("version").expected("version " + std::to_string(kFormatVersion));
  UniqueNames names("macro");
  MacroReader reader(db);
  for (const JsonField& m : root.elements("macros")) {
    AcDbObjectId id = reader.read(m);
    names.add(m.at("name"), m.text("name"));
    macroIds.append(id);
  }
}

}  // namespace drawing
