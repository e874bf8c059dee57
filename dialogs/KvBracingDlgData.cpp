#include "dialogs/KvBracingDlgData.h"

KvBracingDlgData::KvBracingDlgData() = default;
KvBracingDlgData::KvBracingDlgData(const KvBracingDlgData&) = default;
KvBracingDlgData& KvBracingDlgData::operator=(const KvBracingDlgData&) = default;
KvBracingDlgData::~KvBracingDlgData() = default;
