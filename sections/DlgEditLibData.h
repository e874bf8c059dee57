#pragma once
#include "common/ss_export.h"

// Record of the full section-library editor. The core module fills it,
// the dialog edits a copy and hands it back on OK. Its fields arrive with
// the dialog.
class SS_EXPORT DlgEditLibData {
 public:
  DlgEditLibData();
  DlgEditLibData(const DlgEditLibData& other);
  DlgEditLibData& operator=(const DlgEditLibData& other);
  virtual ~DlgEditLibData();
};
