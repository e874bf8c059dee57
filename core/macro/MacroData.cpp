#include "core/macro/MacroData.h"

#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_Macro.h"
#include "core/macro/Nx_ProfPlacementModule.h"

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
  for (int m = 0; m < macro.moduleCount(); ++m) {
    const Nx_Module* module = macro.module(m);
    int index = findTab(module->tabName());
    if (index < 0) {
      int kindOfPage = module->type() == kProfPlacementModule ? kTabProfiles
                       : module->type() == kBoltModule        ? kTabGridBolts
                                                              : kTabGrid;
      index = tabs.append(MacroTabData(module->tabName(), module->tabName(), kindOfPage));
    }
    MacroTabData& tab = tabs[index];
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
