#include "core/macro/MacroData.h"

#include <string>
#include <unordered_map>

#include "core/macro/DrawingFormat.h"
#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "core/macro/Nx_Macro.h"
#include "core/macro/Nx_ProfPlacementModule.h"
#include "platform/base/AtomicFile.h"

namespace {
constexpr const char* kPropertyFormat = "macro properties";
}

bool MacroData::operator==(const MacroData& o) const {
  if (tabs.length() != o.tabs.length()) return false;
  for (int i = 0; i < tabs.length(); ++i)
    if (!(tabs[i] == o.tabs[i])) return false;
  return kind == o.kind && names == o.names && groupNames == o.groupNames &&
         currentGroup == o.currentGroup && openTab == o.openTab &&
         profileSpecialMode == o.profileSpecialMode && filter1 == o.filter1 &&
         filter2 == o.filter2 && allowPropLists == o.allowPropLists && propFiles == o.propFiles &&
         macroId == o.macroId;
}

int MacroData::findTab(const Nx_String& name) const {
  for (int i = 0; i < tabs.length(); ++i)
    if (tabs[i].name.equal(name, false)) return i;
  return -1;
}

bool MacroData::changeView(const Nx_String& tabName, int direction) {
  MacroTabData* tab = getTab(findTab(tabName));
  if (!tab || direction < 0 || direction > 3) return false;
  tab->viewDirection = direction;
  return true;
}

void MacroData::initFromMacro(const Nx_Macro& macro, AcTransaction* tr) {
  tabs.removeAll();
  names = Nx_StringArray{macro.name()};
  macro.getGroupNames(groupNames);
  std::unordered_map<std::string, int> tabOfGroup;  // a macro may hold many thousands of groups
  for (int m = 0; m < macro.moduleCount(); ++m) {
    const Nx_Module* module = macro.module(m);
    auto [found, added] = tabOfGroup.try_emplace(module->tabName().lower().str(), tabs.length());
    if (added) {
      int kindOfPage = module->type() == kProfPlacementModule ? kTabProfiles
                       : module->type() == kBoltModule        ? kTabGridBolts
                                                              : kTabGrid;
      tabs.append(MacroTabData(module->tabName(), module->tabName(), kindOfPage));
    }
    MacroTabData& tab = tabs[found->second];
    for (const Nx_ConstrVar& v : module->constrVars())
      if (v.settable) tab.flexFix.append(MacroFlexFixData(v.name, false, true));
    if (const Nx_ProfPlacementModule* placer = asProfPlacementModule(module)) {
      for (const Nx_ProfPlacement& p : placer->placements()) {
        MacroProfData props;
        if (!p.profileGroup.isEmpty() && !tab.getMergedPropsOfGroup(p.profileGroup, props))
          tab.mergedProps.append(MacroProfData(p.profileGroup, Nx_String()));
      }
    }
    if (const Nx_BoltModule* bolts = asBoltModule(module)) {
      tab.setBoltData(MacroBoltData());
      AcArray<AcDbObjectId> ids;
      bolts->getPatternIds(ids);
      for (const AcDbObjectId& id : ids) {
        Nx_BoltPattern* pattern = nullptr;
        if (getPattern(id, pattern, tr) != Acad::eOk) continue;
        if (pattern->layout()->isTwoDirectional())
          tab.patterns.append(MacroPatternData(pattern->name(), Nx_String(), Nx_String()));
        else
          tab.patterns.append(MacroPatternData(pattern->name(), Nx_String()));
      }
    }
  }
}

namespace {
MacroData::StandardsRunner& standardsRunner() {
  static MacroData::StandardsRunner runner;
  return runner;
}

// Opens the macro of the data in the working drawing for write and hands it over.
bool withMacro(AcDbObjectId id, const std::function<void(Nx_DbMacro&)>& work) {
  Nx_Drawing* drawing = Nx_Drawing::working();
  if (!drawing || id.isNull()) return false;
  AcTransaction tr(drawing->database());
  Nx_DbMacro* macro = nullptr;
  if (tr.getObject(macro, id, AcDb::kForWrite) != Acad::eOk) return false;
  work(*macro);
  return true;
}
}  // namespace

bool MacroData::setAllToMacro() const {
  return withMacro(macroId, [this](Nx_DbMacro& macro) {
    MacroData stored;
    macro.getMacroData(stored);
    for (const MacroTabData& tab : tabs) {
      int index = stored.findTab(tab.name);
      if (index < 0)
        stored.tabs.append(tab);
      else
        stored.tabs[index] = tab;
    }
    macro.setMacroData(stored);
  });
}

bool MacroData::reApply() const {
  return withMacro(macroId, [this](Nx_DbMacro& macro) { macro.setMacroData(*this); });
}

void MacroData::setStandardsRunner(StandardsRunner runner) {
  standardsRunner() = std::move(runner);
}

bool MacroData::loadFromStandards() {
  return standardsRunner() ? standardsRunner()(*this) : false;
}

bool MacroData::writeToFile(const Nx_String& path, Nx_String* error) const {
  std::string json;
  drawing::JsonWriter w(json);
  w.beginObject();
  w.member("format", kPropertyFormat);
  w.member("version", drawing::kFormatVersion);
  w.key("tabs");
  w.beginArray();
  for (const MacroTabData& tab : tabs) drawing::writeTab(w, tab);
  w.endArray();
  w.endObject();
  std::string why;
  if (base::writeFileAtomically(path.str(), json + "\n", &why)) return true;
  if (error) *error = Nx_String(why);
  return false;
}

bool MacroData::readFromFile(const Nx_String& path, int& count, Nx_String* error) {
  std::string content, why;
  if (!base::readWholeFile(path.str(), content, &why)) {
    if (error) *error = Nx_String(why);
    return false;
  }
  Nx_Array<MacroTabData> read(8);
  try {
    drawing::JsonTree root;
    root.parse(content);
    drawing::JsonField f(root, "");
    f.requireObject({"format", "version", "tabs"});
    if (f.text("format") != Nx_String(kPropertyFormat))
      f.at("format").expected(std::string("\"") + kPropertyFormat + "\"");
    if (f.integer("version") != drawing::kFormatVersion) f.at("version").expected("version 1");
    for (const drawing::JsonField& t : f.elements("tabs"))
      read.append(drawing::readTab(t, nullptr));
  } catch (const nlohmann::json::parse_error& e) {
    if (error) *error = path + ": not valid JSON (" + e.what() + ")";
    return false;
  } catch (const nlohmann::json::out_of_range& e) {  // a number too large for any type
    if (error) *error = path + ": not valid JSON (" + e.what() + ")";
    return false;
  } catch (const drawing::LoadError& e) {
    if (error) *error = path + ": " + e.where + ": " + e.what;
    return false;
  }
  count = 0;
  for (const MacroTabData& tab : read) {
    int index = findTab(tab.name);
    if (index < 0) continue;
    // The file brings values, never a tab's identity or page.
    MacroTabData merged = tab;
    merged.title = tabs[index].title;
    merged.kind = tabs[index].kind;
    tabs[index] = merged;
    ++count;
  }
  return true;
}

int MacroData::differences(const MacroData& before) {
  int changed = 0;
  for (MacroTabData& tab : tabs) {
    const MacroTabData* old = before.getTab(before.findTab(tab.name));
    tab.unchanged = old && *old == tab;
    if (!tab.unchanged) ++changed;
  }
  return changed;
}

void MacroData::removeAll() {
  for (int i = tabs.length() - 1; i >= 0; --i)
    if (tabs[i].unchanged) tabs.removeAt(i);
}
