#include "dialogs/KvCladdingDlgData.h"

KvCladdingDlgData::KvCladdingDlgData() = default;
KvCladdingDlgData::KvCladdingDlgData(const KvCladdingDlgData&) = default;
KvCladdingDlgData& KvCladdingDlgData::operator=(const KvCladdingDlgData&) = default;
KvCladdingDlgData::~KvCladdingDlgData() = default;
