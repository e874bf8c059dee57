#include "dialogs/KvLookUpDlgData.h"

KvLookUpDlgData::KvLookUpDlgData() = default;
KvLookUpDlgData::KvLookUpDlgData(const KvLookUpDlgData&) = default;
KvLookUpDlgData& KvLookUpDlgData::operator=(const KvLookUpDlgData&) = default;
KvLookUpDlgData::~KvLookUpDlgData() = default;
