#include "mapping/MacroValueAccess.h"

#include "core/macro/MacroTabData.h"

namespace macroaccess {

MacroTabData* tabOfModule(MacroData* data, const Nx_Module* module) {
  if (!data || !module) return nullptr;
  return data->getTab(data->findTab(module->tabName()));
}

Acad::ErrorStatus distance(MacroTabData* tab, Nx_Module* module, const Nx_String& variable,
                           bool read, Nx_String& value) {
  if (!read && tab) {
    bool fixed = false, flex = true;
    if (tab->getFlexFixBtnStatus(variable, fixed, flex) && (!fixed || flex))
      tab->flexFixBtnClicked(variable, false);
  }
  return getSetConstrVarValue(module, variable, value, read) == Acad::eOk ? Acad::eOk
                                                                          : Acad::eInvalidInput;
}

Acad::ErrorStatus cut(Nx_Module* module, const Nx_String& cutName, KvCutOffsetType offset,
                      bool read, Nx_String& value) {
  Nx_CutConstraint* constraint = nullptr;
  if (getCutConstraint(module, cutName, constraint) != Acad::eOk) return Acad::eInvalidInput;
  double number = value.toDouble();
  if (getSetCutValue(module, constraint, offset, number, read) != Acad::eOk)
    return Acad::eInvalidInput;
  if (read) value = Nx_String(number, 7, false);
  return Acad::eOk;
}

Acad::ErrorStatus memberName(MacroTabData* tab, const Nx_String& profileGroup, bool read,
                             Nx_String& value) {
  if (!tab) return Acad::eInvalidInput;
  MacroProfData props;
  if (!tab->getMergedPropsOfGroup(profileGroup, props)) return Acad::eInvalidInput;
  if (read) {
    value = props.memberName;
  } else {
    props.memberName = value;
    tab->setMergedPropsOfGroup(profileGroup, props);
  }
  return Acad::eOk;
}

Acad::ErrorStatus boltData(MacroTabData* tab, bool diameter, bool read, Nx_String& value) {
  MacroBoltData* bolts = tab ? tab->getBoltData() : nullptr;
  if (!bolts) return Acad::eInvalidInput;
  Nx_String& text = diameter ? bolts->diameter : bolts->holeOffset;
  if (read)
    value = text;
  else
    text = value;
  return Acad::eOk;
}

Acad::ErrorStatus reverseStart(Nx_BoltModule* module, Nx_BoltPattern* pattern, bool firstDirection,
                               bool read, Nx_String& value, AcTransaction* tr) {
  bool flag = value.equal("1", false);
  if (getSetBoltPatternReverses(module, pattern, firstDirection, read, flag, tr) != Acad::eOk)
    return Acad::eInvalidInput;
  if (read) value = flag ? "1" : "0";
  return Acad::eOk;
}

}  // namespace macroaccess
