#include "common/KvMACallBack.h"

KvMACallBackData::KvMACallBackData() = default;
KvMACallBackData::KvMACallBackData(const KvMACallBackData&) = default;
KvMACallBackData& KvMACallBackData::operator=(const KvMACallBackData&) = default;
KvMACallBackData::~KvMACallBackData() = default;
