#include "macrodlg/DlgProfFeaturesData.h"

#include "core/SameItems.h"

DlgProfFeaturesData::DlgProfFeaturesData() = default;
DlgProfFeaturesData::DlgProfFeaturesData(const DlgProfFeaturesData&) = default;
DlgProfFeaturesData& DlgProfFeaturesData::operator=(const DlgProfFeaturesData&) = default;
DlgProfFeaturesData::~DlgProfFeaturesData() = default;

bool DlgProfFeaturesData::operator==(const DlgProfFeaturesData& o) const {
  return profileName == o.profileName && sameItems(features, o.features);
}
