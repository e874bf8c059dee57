#pragma once
#include "common/ss_export.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"

// Record of the full section-library editor. The core module fills it,
// the dialog edits a copy and hands it back on OK.
class SS_EXPORT DlgEditLibData {
 public:
  DlgEditLibData();
  DlgEditLibData(const DlgEditLibData& other);
  DlgEditLibData& operator=(const DlgEditLibData& other);
  virtual ~DlgEditLibData();

  Nx_String currentTable;      // in: the table to show first; out: the one shown last
  Nx_StringArray savedTables;  // out: the tables written to prof/ while the editor ran
};
