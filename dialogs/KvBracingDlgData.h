#pragma once
#include "common/ss_export.h"
#include "core/Nx_String.h"

// Record of the bracing dialog: the braces placed in a bay. The core module
// fills it, the dialog edits a copy and hands it back on OK.
class SS_EXPORT KvBracingDlgData {
 public:
  enum Pattern : int { kCross = 0, kSingleDiagonal = 1, kK = 2, kV = 3 };

  KvBracingDlgData();
  KvBracingDlgData(const KvBracingDlgData& other);
  KvBracingDlgData& operator=(const KvBracingDlgData& other);
  virtual ~KvBracingDlgData();
  bool operator==(const KvBracingDlgData& other) const = default;

  int pattern = kCross;
  Nx_String section = "L70x7";  // of the braces
  Nx_String material = "S235";
  double gussetThickness = 10;  // mm
  double endClearance = 20;     // between a brace's end and the member it meets, mm
  bool tensionOnly = true;      // braces sized for tension, as crossed flats and angles are
};
