#include "common/ModuleBitmaps.h"

#include "platform/arx/acutil.h"

KvBitmap gCheckedBitmap;
KvBitmap gUncheckedBitmap;

namespace {
void load(KvBitmap& bitmap, int id) {
  if (!bitmap.loadResource(id)) acutPrintf("*Error* Cannot load bitmap %d.\n", id);
}
}  // namespace

void loadModuleBitmaps() {
  load(gCheckedBitmap, kCheckedBitmapId);
  load(gUncheckedBitmap, kUncheckedBitmapId);
}
