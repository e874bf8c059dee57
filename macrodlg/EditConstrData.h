#pragma once
#include "common/ss_export.h"

// Record of the constraints editor of a macro, modal or modeless. The core module fills it,
// the dialog edits a copy and hands it back on OK. Its fields arrive with
// the dialog.
class SS_EXPORT EditConstrData {
 public:
  EditConstrData();
  EditConstrData(const EditConstrData& other);
  EditConstrData& operator=(const EditConstrData& other);
  virtual ~EditConstrData();
};
