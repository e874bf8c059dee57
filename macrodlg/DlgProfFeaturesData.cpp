#include "macrodlg/DlgProfFeaturesData.h"

DlgProfFeaturesData::DlgProfFeaturesData() = default;
DlgProfFeaturesData::DlgProfFeaturesData(const DlgProfFeaturesData&) = default;
DlgProfFeaturesData& DlgProfFeaturesData::operator=(const DlgProfFeaturesData&) = default;
DlgProfFeaturesData::~DlgProfFeaturesData() = default;
