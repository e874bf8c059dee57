#include "macrodlg/DynArrayData.h"

DynArrayData::DynArrayData() = default;
DynArrayData::DynArrayData(const DynArrayData&) = default;
DynArrayData& DynArrayData::operator=(const DynArrayData&) = default;
DynArrayData::~DynArrayData() = default;
