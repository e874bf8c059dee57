#pragma once
#include "common/ss_export.h"

// Record of the macro cuts dialog. The core module fills it,
// the dialog edits a copy and hands it back on OK. Its fields arrive with
// the dialog.
class SS_EXPORT DlgMacroCutsData {
 public:
  DlgMacroCutsData();
  DlgMacroCutsData(const DlgMacroCutsData& other);
  DlgMacroCutsData& operator=(const DlgMacroCutsData& other);
  virtual ~DlgMacroCutsData();
};
