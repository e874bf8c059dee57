#include "macrodlg/EditConstrData.h"

#include "core/SameItems.h"

EditConstrData::EditConstrData() = default;
EditConstrData::EditConstrData(const EditConstrData&) = default;
EditConstrData& EditConstrData::operator=(const EditConstrData&) = default;
EditConstrData::~EditConstrData() = default;

bool EditConstrData::operator==(const EditConstrData& o) const {
  return macroName == o.macroName && moduleName == o.moduleName &&
         sameItems(constraints, o.constraints);
}
