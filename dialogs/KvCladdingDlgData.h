#pragma once
#include "common/ss_export.h"

// Record of the cladding settings dialog. The core module fills it,
// the dialog edits a copy and hands it back on OK. Its fields arrive with
// the dialog.
class SS_EXPORT KvCladdingDlgData {
 public:
  KvCladdingDlgData();
  KvCladdingDlgData(const KvCladdingDlgData& other);
  KvCladdingDlgData& operator=(const KvCladdingDlgData& other);
  virtual ~KvCladdingDlgData();
};
