#include "dialogs/KvSelectImageDlgData.h"

KvSelectImageDlgData::KvSelectImageDlgData() = default;
KvSelectImageDlgData::KvSelectImageDlgData(const KvSelectImageDlgData&) = default;
KvSelectImageDlgData& KvSelectImageDlgData::operator=(const KvSelectImageDlgData&) = default;
KvSelectImageDlgData::~KvSelectImageDlgData() = default;
