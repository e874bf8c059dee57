#pragma once
#include "common/ss_export.h"
#include "core/Nx_String.h"

// Record of the look-up dialog: a key chosen from a lookup file (the files
// that GETCELL reads: tab-separated lines, the key first) and the value on
// its line. The core module fills it, the dialog edits a copy and hands it
// back on OK.
class SS_EXPORT KvLookUpDlgData {
 public:
  KvLookUpDlgData();
  KvLookUpDlgData(const KvLookUpDlgData& other);
  KvLookUpDlgData& operator=(const KvLookUpDlgData& other);
  virtual ~KvLookUpDlgData();
  bool operator==(const KvLookUpDlgData& other) const = default;

  Nx_String title;  // the dialog's caption; empty for the usual one
  Nx_String file;   // the lookup file, found where the standards functions find their data
  Nx_String key;    // in: the key to show first; out: the one chosen
  Nx_String value;  // out: the second field of the key's line
};
