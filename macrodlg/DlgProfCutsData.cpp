#include "macrodlg/DlgProfCutsData.h"

#include "core/SameItems.h"

DlgProfCutsData::DlgProfCutsData() = default;
DlgProfCutsData::DlgProfCutsData(const DlgProfCutsData&) = default;
DlgProfCutsData& DlgProfCutsData::operator=(const DlgProfCutsData&) = default;
DlgProfCutsData::~DlgProfCutsData() = default;

bool DlgProfCutsData::operator==(const DlgProfCutsData& o) const {
  return profileName == o.profileName && sameItems(cuts, o.cuts);
}
