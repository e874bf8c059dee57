#include "core/CtrlHelpers.h"

#include "platform/ui/Window.h"

bool EnDisCtrl(ui::Window* dialog, int id, bool enable) {
  ui::Window* item = dialog ? dialog->findChild(id) : nullptr;
  if (!item) return false;
  item->enable(enable);
  return true;
}

bool ShowOrHideCtrl(ui::Window* dialog, int id, bool show) {
  ui::Window* item = dialog ? dialog->findChild(id) : nullptr;
  if (!item) return false;
  item->show(show);
  return true;
}
