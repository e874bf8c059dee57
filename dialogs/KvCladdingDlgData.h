#pragma once
#include "common/ss_export.h"
#include "core/Nx_String.h"

// Record of the cladding settings dialog: the sheeting that covers a wall or
// roof. The core module fills it, the dialog edits a copy and hands it back
// on OK.
class SS_EXPORT KvCladdingDlgData {
 public:
  enum Orientation : int { kVertical = 0, kHorizontal = 1 };

  KvCladdingDlgData();
  KvCladdingDlgData(const KvCladdingDlgData& other);
  KvCladdingDlgData& operator=(const KvCladdingDlgData& other);
  virtual ~KvCladdingDlgData();
  bool operator==(const KvCladdingDlgData& other) const = default;

  Nx_String sheetProfile = "TR 35/207";  // the profiled sheet's name
  double thickness = 0.75;               // sheet, mm
  double sideOverlap = 207;              // between neighbouring sheets, mm
  double fixingSpacing = 333;            // between fixings along a purlin, mm
  int orientation = kVertical;           // of the sheets' ribs
  bool withFlashings = true;             // corner and edge flashings too
};
