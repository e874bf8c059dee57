#include "macrodlg/MacroPageAccess.h"

#include <cmath>

#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "core/macro/Nx_ProfPlacementModule.h"

namespace macropage {

namespace {
bool inGroup(const Nx_Module& module, const Nx_String& group) {
  return module.tabName().equal(group, false);
}

// The module of the group that has the variable, else any module that has it.
template <typename Macro>
auto moduleWithVariable(Macro& macro, const Nx_String& group, const Nx_String& name)
    -> decltype(macro.module(0)) {
  decltype(macro.module(0)) other = nullptr;
  for (int m = 0; m < macro.moduleCount(); ++m) {
    auto* module = macro.module(m);
    if (!module->findConstrVar(name)) continue;
    if (inGroup(*module, group)) return module;
    if (!other) other = module;
  }
  return other;
}

bool finiteNumber(const Nx_String& text) {
  double number = 0.0;
  return text.toDouble(number) && std::isfinite(number);
}

void fixVariable(MacroData& data, const Nx_String& group, const Nx_String& name) {
  if (MacroTabData* tab = data.getTab(data.findTab(group))) {
    bool fixed = false, flex = true;
    if (tab->getFlexFixBtnStatus(name, fixed, flex) && (!fixed || flex))
      tab->flexFixBtnClicked(name, false);
  }
}
}  // namespace

namespace {
Nx_DbMacro* openMacro(const MacroData& data, AcTransaction& tr, AcDb::OpenMode mode) {
  Nx_DbMacro* macro = nullptr;
  return tr.getObject(macro, data.macroId, mode) == Acad::eOk ? macro : nullptr;
}
}  // namespace

bool withMacro(const MacroData& data, const std::function<void(const Nx_Macro&)>& work) {
  Nx_Drawing* drawing = Nx_Drawing::working();
  if (!drawing || data.macroId.isNull()) return false;
  AcTransaction tr(drawing->database());
  Nx_DbMacro* macro = openMacro(data, tr, AcDb::kForRead);
  if (!macro) return false;
  work(*macro->getMacro());
  return true;
}

bool withMacroWrite(const MacroData& data, const std::function<void(Nx_Macro&)>& work) {
  Nx_Drawing* drawing = Nx_Drawing::working();
  if (!drawing || data.macroId.isNull()) return false;
  AcTransaction tr(drawing->database());
  Nx_DbMacro* macro = openMacro(data, tr, AcDb::kForWrite);
  if (!macro) return false;
  work(*macro->getMacroWrite());
  return true;
}

bool readGroupVariables(const MacroData& data, const Nx_String& group,
                        std::vector<VariableRow>& rows) {
  rows.clear();
  return withMacro(data, [&](const Nx_Macro& macro) {
    for (int m = 0; m < macro.moduleCount(); ++m) {
      const Nx_Module* module = macro.module(m);
      if (!inGroup(*module, group)) continue;
      for (const Nx_ConstrVar& v : module->constrVars())
        rows.push_back(
            {module->name(), v.name, Nx_String(v.value, 8, false), v.visible, v.settable});
    }
  });
}

bool writeGroupVariables(MacroData& data, const Nx_String& group,
                         const std::vector<VariableRow>& before,
                         const std::vector<VariableRow>& after, Nx_StringArray* refused) {
  return withMacroWrite(data, [&](Nx_Macro& macro) {
    for (size_t i = 0; i < after.size() && i < before.size(); ++i) {
      const VariableRow& row = after[i];
      if (row == before[i]) continue;
      Nx_Module* module = nullptr;
      if (macro.findModuleWrite(row.module, module) != Acad::eOk) continue;
      Nx_ConstrVar* var = module->findConstrVar(row.name);
      if (!var) continue;
      var->visible = row.visible;
      var->settable = row.settable;
      if (row.value == before[i].value) continue;
      if (!finiteNumber(row.value)) {
        if (refused) refused->append(row.name);
        continue;
      }
      Nx_String value = row.value;
      getSetConstrVarValue(module, row.name, value, false);
      fixVariable(data, group, row.name);
    }
  });
}

bool readVariable(const MacroData& data, const Nx_String& group, const Nx_String& name,
                  Nx_String& value) {
  bool found = false;
  withMacro(data, [&](const Nx_Macro& macro) {
    if (const Nx_Module* module = moduleWithVariable(macro, group, name)) {
      value = Nx_String(module->findConstrVar(name)->value, 8, false);
      found = true;
    }
  });
  return found;
}

bool writeVariable(MacroData& data, const Nx_String& group, const Nx_String& name,
                   const Nx_String& value) {
  if (!finiteNumber(value)) return false;
  bool written = false;
  withMacroWrite(data, [&](Nx_Macro& macro) {
    Nx_Module* module = moduleWithVariable(macro, group, name);
    Nx_String text = value;
    written = module && getSetConstrVarValue(module, name, text, false) == Acad::eOk;
    if (written) fixVariable(data, module->tabName(), name);
  });
  return written;
}

void readProfiles(const MacroData& data, int tabIndex, std::vector<ProfileRow>& rows) {
  rows.clear();
  const MacroTabData* tab = data.getTab(tabIndex);
  if (!tab) return;
  for (const MacroProfData& p : tab->mergedProps) {
    ProfileRow row;
    row.group = p.profileGroup;
    row.memberName = p.memberName;
    rows.push_back(row);
  }
  withMacro(data, [&](const Nx_Macro& macro) {
    for (int m = 0; m < macro.moduleCount(); ++m) {
      const Nx_ProfPlacementModule* placer = asProfPlacementModule(macro.module(m));
      if (!placer || !inGroup(*placer, tab->name)) continue;
      for (ProfileRow& row : rows)
        for (const Nx_ProfPlacement& p : placer->placements())
          if (row.section.isEmpty() && p.profileGroup.equal(row.group, false)) {
            row.section = p.section;
            row.material = p.material;
          }
    }
  });
}

void writeProfiles(MacroData& data, int tabIndex, const std::vector<ProfileRow>& before,
                   const std::vector<ProfileRow>& after) {
  MacroTabData* tab = data.getTab(tabIndex);
  if (!tab) return;
  bool placementsChanged = false;
  for (size_t i = 0; i < after.size() && i < before.size(); ++i) {
    if (after[i].memberName != before[i].memberName) {
      MacroProfData props;
      if (tab->getMergedPropsOfGroup(after[i].group, props)) {
        props.memberName = after[i].memberName;
        tab->setMergedPropsOfGroup(after[i].group, props);
      }
    }
    placementsChanged |=
        after[i].section != before[i].section || after[i].material != before[i].material;
  }
  if (!placementsChanged) return;
  const Nx_String group = tab->name;
  withMacroWrite(data, [&](Nx_Macro& macro) {
    for (int m = 0; m < macro.moduleCount(); ++m) {
      Nx_ProfPlacementModule* placer = asProfPlacementModule(macro.module(m));
      if (!placer || !inGroup(*placer, group)) continue;
      for (size_t i = 0; i < after.size() && i < before.size(); ++i)
        for (Nx_ProfPlacement& p : placer->placements()) {
          if (!p.profileGroup.equal(after[i].group, false)) continue;
          if (after[i].section != before[i].section) p.section = after[i].section;
          if (after[i].material != before[i].material) p.material = after[i].material;
        }
    }
  });
}

}  // namespace macropage
