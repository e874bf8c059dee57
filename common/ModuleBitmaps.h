#pragma once
#include "common/KvBitmap.h"

// Bitmap resources of the check-box cells.
inline constexpr int kCheckedBitmapId = 8134;
inline constexpr int kUncheckedBitmapId = 8136;

// The two module bitmaps, filled when the host initialises the module.
extern KvBitmap gCheckedBitmap;
extern KvBitmap gUncheckedBitmap;

// Loads both; a bitmap that cannot be loaded is reported on the command line.
void loadModuleBitmaps();
