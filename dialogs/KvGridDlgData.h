#pragma once
#include "common/ss_export.h"
#include "core/Nx_String.h"

// The layout of a grid in two directions, asked for with the grid dialog:
// per direction a count, a spacing and a first label, plus one option.
class SS_EXPORT KvGridDlgData {
 public:
  KvGridDlgData();
  KvGridDlgData(const KvGridDlgData& other);
  KvGridDlgData& operator=(const KvGridDlgData& other);
  virtual ~KvGridDlgData();
  bool operator==(const KvGridDlgData& other) const;

  int firstCount = 4;
  Nx_String firstSpacing = "5000";
  Nx_String firstLabel = "A";
  int secondCount = 3;
  Nx_String secondSpacing = "5000";
  Nx_String secondLabel = "1";
  bool option = false;
};
