#pragma once
#include "common/ss_export.h"

// Record of the profile cuts dialog. The core module fills it,
// the dialog edits a copy and hands it back on OK. Its fields arrive with
// the dialog.
class SS_EXPORT DlgProfCutsData {
 public:
  DlgProfCutsData();
  DlgProfCutsData(const DlgProfCutsData& other);
  DlgProfCutsData& operator=(const DlgProfCutsData& other);
  virtual ~DlgProfCutsData();
};
