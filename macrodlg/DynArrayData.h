#pragma once
#include "common/ss_export.h"

// Record of the array dialog. The core module fills it,
// the dialog edits a copy and hands it back on OK. Its fields arrive with
// the dialog.
class SS_EXPORT DynArrayData {
 public:
  DynArrayData();
  DynArrayData(const DynArrayData& other);
  DynArrayData& operator=(const DynArrayData& other);
  virtual ~DynArrayData();
};
