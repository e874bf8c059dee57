#include "core/DialogSizes.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/DialogSizeMemory.h"

bool getDlgSize(const ui::Window& dialog, int& width, int& height) {
  const ui::Rect& r = dialog.rect();
  if (r.isEmpty()) return false;
  width = r.width();
  height = r.height();
  return true;
}

bool getDlgSize(const Nx_String& name, ui::Rect& rect) {
  return ui::DialogSizeMemory::get(name.str(), rect);
}

bool ChangeDlgSize(ui::Dialog& dialog, const Nx_String& name) {
  return ui::DialogSizeMemory::restore(dialog, name.str());
}

bool WriteDlgSize(const ui::Window& dialog, const Nx_String& name) {
  return ui::DialogSizeMemory::store(dialog, name.str());
}
