#pragma once
#include "common/ss_export.h"
#include "core/Nx_String.h"

// Record of the image-selection dialog: one picture chosen from a folder.
// The core module fills it, the dialog edits a copy and hands it back on OK.
class SS_EXPORT KvSelectImageDlgData {
 public:
  KvSelectImageDlgData();
  KvSelectImageDlgData(const KvSelectImageDlgData& other);
  KvSelectImageDlgData& operator=(const KvSelectImageDlgData& other);
  virtual ~KvSelectImageDlgData();
  bool operator==(const KvSelectImageDlgData& other) const = default;

  Nx_String title;   // the dialog's caption; empty for the usual one
  Nx_String folder;  // where the pictures are (.bmp, .png, .jpg, .gif)
  Nx_String image;   // in: the picture to show first; out: the chosen one's file name
};
