#include "macrodlg/EditConstrData.h"

EditConstrData::EditConstrData() = default;
EditConstrData::EditConstrData(const EditConstrData&) = default;
EditConstrData& EditConstrData::operator=(const EditConstrData&) = default;
EditConstrData::~EditConstrData() = default;
