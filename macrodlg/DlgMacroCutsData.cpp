#include "macrodlg/DlgMacroCutsData.h"

#include "core/SameItems.h"

DlgMacroCutsData::DlgMacroCutsData() = default;
DlgMacroCutsData::DlgMacroCutsData(const DlgMacroCutsData&) = default;
DlgMacroCutsData& DlgMacroCutsData::operator=(const DlgMacroCutsData&) = default;
DlgMacroCutsData::~DlgMacroCutsData() = default;

bool DlgMacroCutsData::operator==(const DlgMacroCutsData& o) const {
  return macroName == o.macroName && sameItems(cuts, o.cuts);
}
