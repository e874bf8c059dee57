#pragma once
#include "common/ss_export.h"

// Record of the array dialog: how many copies of the selected objects to
// place in each direction, and how far apart. The core module fills it, the
// dialog edits a copy and hands it back on OK.
class SS_EXPORT DynArrayData {
 public:
  DynArrayData();
  DynArrayData(const DynArrayData& other);
  DynArrayData& operator=(const DynArrayData& other);
  virtual ~DynArrayData();
  bool operator==(const DynArrayData& other) const = default;

  // Counts include the original: 1 places no copy in that direction.
  int countX = 2;
  int countY = 1;
  int countZ = 1;
  double spacingX = 1000;  // mm, between neighbouring copies
  double spacingY = 1000;
  double spacingZ = 1000;
  bool copyConnections = true;  // copies take the macros that join the objects
};
