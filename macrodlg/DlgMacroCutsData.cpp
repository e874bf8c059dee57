#include "macrodlg/DlgMacroCutsData.h"

DlgMacroCutsData::DlgMacroCutsData() = default;
DlgMacroCutsData::DlgMacroCutsData(const DlgMacroCutsData&) = default;
DlgMacroCutsData& DlgMacroCutsData::operator=(const DlgMacroCutsData&) = default;
DlgMacroCutsData::~DlgMacroCutsData() = default;
