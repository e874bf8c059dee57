#include "core/macro/MacroTabData.h"

#include "core/SameItems.h"

bool MacroTabData::operator==(const MacroTabData& o) const {
  return name == o.name && title == o.title && kind == o.kind && viewDirection == o.viewDirection &&
         designedDialog == o.designedDialog && hasBoltData == o.hasBoltData &&
         boltData == o.boltData && sameItems(patterns, o.patterns) &&
         sameItems(flexFix, o.flexFix) && sameItems(mergedProps, o.mergedProps);
}

bool MacroTabData::getFlexFixBtnStatus(const Nx_String& variable, bool& fixed, bool& flex) const {
  for (const MacroFlexFixData& f : flexFix) {
    if (f.variable.equal(variable, false)) {
      flex = f.flex;
      fixed = f.fixed;
      return true;
    }
  }
  return false;
}

bool MacroTabData::flexFixBtnClicked(const Nx_String& variable, bool flex) {
  for (MacroFlexFixData& f : flexFix) {
    if (f.variable.equal(variable, false)) {
      f.flex = flex;
      f.fixed = !flex;
      return true;
    }
  }
  return false;
}

bool MacroTabData::getMergedPropsOfGroup(const Nx_String& profileGroup,
                                         MacroProfData& props) const {
  for (const MacroProfData& p : mergedProps) {
    if (p.profileGroup.equal(profileGroup, false)) {
      props = p;
      return true;
    }
  }
  return false;
}

bool MacroTabData::setMergedPropsOfGroup(const Nx_String& profileGroup,
                                         const MacroProfData& props) {
  for (MacroProfData& p : mergedProps) {
    if (p.profileGroup.equal(profileGroup, false)) {
      Nx_String keep = p.profileGroup;
      p = props;
      p.profileGroup = keep;
      return true;
    }
  }
  return false;
}

MacroPatternData* MacroTabData::findPatternData(const Nx_String& pattern) {
  for (MacroPatternData& p : patterns)
    if (p.pattern.equal(pattern, false)) return &p;
  return nullptr;
}

Acad::ErrorStatus getSetNrBolts(MacroTabData* tab, const Nx_String& pattern, Nx_String& value,
                                bool read, bool firstDirection) {
  if (!tab) return Acad::eInvalidInput;
  MacroPatternData* data = tab->findPatternData(pattern);
  if (!data) return Acad::eKeyNotFound;
  if (!firstDirection && !data->twoDirections) return Acad::eInvalidInput;
  Nx_String& count = firstDirection ? data->nrBolts1 : data->nrBolts2;
  if (read)
    value = count;
  else
    count = value;
  return Acad::eOk;
}
