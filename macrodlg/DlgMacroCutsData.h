#pragma once
#include "common/ss_export.h"
#include "core/Nx_Array.h"
#include "core/Nx_String.h"

// Record of the macro cuts dialog: the cuts a macro makes in the profiles it
// connects. The core module fills it, the dialog edits a copy and hands it
// back on OK.
class SS_EXPORT DlgMacroCutsData {
 public:
  struct Cut {
    Nx_String profile;  // the member the cut is made in
    int kind = 0;       // Nx_ConstraintCutType
    double offset = 0;  // from the connection's reference plane, mm
    double angle = 90;  // of the cut plane to the member's axis, degrees
    bool operator==(const Cut&) const = default;
  };

  DlgMacroCutsData();
  DlgMacroCutsData(const DlgMacroCutsData& other);
  DlgMacroCutsData& operator=(const DlgMacroCutsData& other);
  virtual ~DlgMacroCutsData();
  bool operator==(const DlgMacroCutsData& other) const;

  Nx_String macroName;  // shown in the heading
  Nx_Array<Cut> cuts;
};
