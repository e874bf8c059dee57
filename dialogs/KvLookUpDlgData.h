#pragma once
#include "common/ss_export.h"

// Record of the look-up dialog. The core module fills it,
// the dialog edits a copy and hands it back on OK. Its fields arrive with
// the dialog.
class SS_EXPORT KvLookUpDlgData {
 public:
  KvLookUpDlgData();
  KvLookUpDlgData(const KvLookUpDlgData& other);
  KvLookUpDlgData& operator=(const KvLookUpDlgData& other);
  virtual ~KvLookUpDlgData();
};
