#pragma once
#include "common/ss_export.h"
#include "core/Nx_Array.h"
#include "core/Nx_String.h"

// Record of the profile cuts dialog: the end cuts of one profile. The core
// module fills it, the dialog edits a copy and hands it back on OK.
class SS_EXPORT DlgProfCutsData {
 public:
  enum End : int { kStart = 0, kEnd = 1 };
  struct Cut {
    int end = kStart;         // which end of the profile
    int kind = 0;             // Nx_ConstraintCutType
    double webAngle = 90;     // of the cut plane, seen on the web, degrees
    double flangeAngle = 90;  // seen on the flange, degrees
    double offset = 0;        // shortening from the end, mm
    bool operator==(const Cut&) const = default;
  };

  DlgProfCutsData();
  DlgProfCutsData(const DlgProfCutsData& other);
  DlgProfCutsData& operator=(const DlgProfCutsData& other);
  virtual ~DlgProfCutsData();
  bool operator==(const DlgProfCutsData& other) const;

  Nx_String profileName;  // shown in the heading: member name and section
  Nx_Array<Cut> cuts;
};
