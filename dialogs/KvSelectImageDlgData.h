#pragma once
#include "common/ss_export.h"

// Record of the image-selection dialog. The core module fills it,
// the dialog edits a copy and hands it back on OK. Its fields arrive with
// the dialog.
class SS_EXPORT KvSelectImageDlgData {
 public:
  KvSelectImageDlgData();
  KvSelectImageDlgData(const KvSelectImageDlgData& other);
  KvSelectImageDlgData& operator=(const KvSelectImageDlgData& other);
  virtual ~KvSelectImageDlgData();
};
