#include "platform/ui/TabControl.h"

#include <algorithm>

#include "platform/ui/Backend.h"

namespace ui {
namespace {
// The headless tab strip: tabs side by side along the top edge.
constexpr int kTabHeight = 21;
constexpr int kTabPadding = 12;
}  // namespace

std::string TabControl::itemText(int index) const {
  return index >= 0 && index < count() ? tabs_[static_cast<size_t>(index)] : std::string();
}

int TabControl::insertItem(int index, std::string_view text) {
  index = std::clamp(index, 0, count());
  tabs_.insert(tabs_.begin() + index, std::string(text));
  if (cur_ < 0)
    cur_ = 0;
  else if (cur_ >= index && count() > 1)
    ++cur_;
  changed(Change::Items);
  return index;
}

bool TabControl::deleteItem(int index) {
  if (index < 0 || index >= count()) return false;
  tabs_.erase(tabs_.begin() + index);
  if (cur_ == index)
    cur_ = tabs_.empty() ? -1 : std::min(index, count() - 1);
  else if (cur_ > index)
    --cur_;
  changed(Change::Items);
  return true;
}

void TabControl::deleteAllItems() {
  tabs_.clear();
  cur_ = -1;
  changed(Change::Items);
}

int TabControl::setCurSel(int index) {
  if (index < 0 || index >= count()) return -1;
  int previous = cur_;
  cur_ = index;
  changed(Change::Selection);
  return previous;
}

Rect TabControl::itemRect(int index) const {
  if (index < 0 || index >= count()) return {};
  Size base = backend().dialogBaseUnits(font());
  int x = 2;
  for (int i = 0; i <= index; ++i) {
    int w = backend().textExtent(font(), tabs_[static_cast<size_t>(i)]).width + kTabPadding;
    if (i == index) return {x, 2, x + w, 2 + std::max(kTabHeight, base.height + 8)};
    x += w;
  }
  return {};
}

Rect TabControl::displayRect() const {
  if (peer())
    if (auto r = peer()->tabDisplayRect()) return *r;
  Size base = backend().dialogBaseUnits(font());
  int strip = 2 + std::max(kTabHeight, base.height + 8);
  Rect c = clientRect();
  return {c.left + 4, strip + 2, std::max(c.left + 4, c.right - 4),
          std::max(strip + 2, c.bottom - 4)};
}

bool TabControl::userSelect(int index) {
  if (index < 0 || index >= count()) return false;
  notifyParent(TCN_SELCHANGING);
  setCurSel(index);
  notifyParent(TCN_SELCHANGE);
  return true;
}

}  // namespace ui
