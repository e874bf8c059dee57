#include "sections/DlgEditLibData.h"

DlgEditLibData::DlgEditLibData() = default;
DlgEditLibData::DlgEditLibData(const DlgEditLibData&) = default;
DlgEditLibData& DlgEditLibData::operator=(const DlgEditLibData&) = default;
DlgEditLibData::~DlgEditLibData() = default;
