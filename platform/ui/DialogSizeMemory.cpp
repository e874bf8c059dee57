#include "platform/ui/DialogSizeMemory.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/base/NamedValueStore.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Dialog.h"

namespace ui {

bool DialogSizeMemory::get(std::string_view name, Rect& rect) {
  if (name.empty()) return false;
  auto value = base::NamedValueStore::instance().get(kKey, std::string(name));
  if (!value) return false;
  int x = 0, y = 0, w = 0, h = 0;
  char tail = 0;
  if (std::sscanf(value->c_str(), "%d,%d,%d,%d%c", &x, &y, &w, &h, &tail) != 4 || w <= 0 || h <= 0)
    return false;
  rect = Rect::fromSize({x, y}, {w, h});
  return true;
}

bool DialogSizeMemory::set(std::string_view name, const Rect& rect) {
  if (name.empty() || rect.isEmpty()) return false;
  std::string value = std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
                      std::to_string(rect.width()) + "," + std::to_string(rect.height());
  return base::NamedValueStore::instance().set(kKey, std::string(name), value);
}

bool DialogSizeMemory::restore(Dialog& dialog, std::string_view name) {
  Rect r;
  if (!get(name, r)) return false;
  Size min = dialog.minTrackSize();
  Size size{std::max(r.width(), min.width), std::max(r.height(), min.height)};
  Rect area = backend().workArea();
  size.width = std::min(size.width, std::max(area.width(), min.width));
  size.height = std::min(size.height, std::max(area.height(), min.height));
  Point at{std::clamp(r.left, area.left, std::max(area.left, area.right - size.width)),
           std::clamp(r.top, area.top, std::max(area.top, area.bottom - size.height))};
  dialog.setRect(Rect::fromSize(at, size));
  return true;
}

bool DialogSizeMemory::store(const Window& dialog, std::string_view name) {
  return set(name, dialog.rect());
}

}  // namespace ui
