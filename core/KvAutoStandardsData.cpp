#include "core/KvAutoStandardsData.h"

KvAutoStandardsData::KvAutoStandardsData() = default;
KvAutoStandardsData::KvAutoStandardsData(const KvAutoStandardsData& other) = default;
KvAutoStandardsData& KvAutoStandardsData::operator=(const KvAutoStandardsData& other) = default;
KvAutoStandardsData::~KvAutoStandardsData() = default;

bool KvAutoStandardsData::operator==(const KvAutoStandardsData& other) const {
  return names == other.names && values == other.values && drawings == other.drawings &&
         groupVarNames == other.groupVarNames && groupVarValues == other.groupVarValues &&
         groupVarGroups == other.groupVarGroups && groupVarDrawings == other.groupVarDrawings;
}
