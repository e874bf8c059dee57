#include "macrodlg/DlgProfCutsData.h"

DlgProfCutsData::DlgProfCutsData() = default;
DlgProfCutsData::DlgProfCutsData(const DlgProfCutsData&) = default;
DlgProfCutsData& DlgProfCutsData::operator=(const DlgProfCutsData&) = default;
DlgProfCutsData::~DlgProfCutsData() = default;
