#pragma once
#include "common/ss_export.h"

// Record of the bracing dialog. The core module fills it,
// the dialog edits a copy and hands it back on OK. Its fields arrive with
// the dialog.
class SS_EXPORT KvBracingDlgData {
 public:
  KvBracingDlgData();
  KvBracingDlgData(const KvBracingDlgData& other);
  KvBracingDlgData& operator=(const KvBracingDlgData& other);
  virtual ~KvBracingDlgData();
};
