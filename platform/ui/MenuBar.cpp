#include "platform/ui/MenuBar.h"

#include <map>

namespace ui {
namespace {
std::map<const Window*, MenuBar>& bars() {
  static std::map<const Window*, MenuBar> table;
  return table;
}
}  // namespace

void setMenuBar(const Window& window, MenuBar bar) {
  if (bar.empty())
    bars().erase(&window);
  else
    bars()[&window] = std::move(bar);
}

const MenuBar* menuBarOf(const Window& window) {
  auto it = bars().find(&window);
  return it == bars().end() ? nullptr : &it->second;
}

}  // namespace ui
