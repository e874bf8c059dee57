#pragma once
#include "common/ss_export.h"

class Nx_Spread;

// Suspends the repainting of a sheet (option 8) for a bulk fill and puts it
// back as it was, so locks nest and a sheet kept dark by its owner stays dark.
class SS_EXPORT Nx_SpreadRedrawLock {
 public:
  explicit Nx_SpreadRedrawLock(Nx_Spread& spread);
  ~Nx_SpreadRedrawLock();
  Nx_SpreadRedrawLock(const Nx_SpreadRedrawLock&) = delete;
  Nx_SpreadRedrawLock& operator=(const Nx_SpreadRedrawLock&) = delete;

 private:
  Nx_Spread& spread_;
  bool wasOn_;
};
