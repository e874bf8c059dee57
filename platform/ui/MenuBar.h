#pragma once
#include <string>
#include <vector>

#include "platform/ui/ui_export.h"

namespace ui {

class Window;

// The menu bar of a top-level window. A chosen item arrives at the window
// as a command with the item's id and notification code 0, as a button's does.
struct MenuBarItem {
  int id = 0;  // 1 to 0x7FFE, as desktop menus take them
  std::string text;  // Windows-1252; "&" marks the access key
  bool separator = false;
  bool enabled = true;
};
struct MenuBarMenu {
  std::string title;
  std::vector<MenuBarItem> items;
};
using MenuBar = std::vector<MenuBarMenu>;

// The kit keeps the bars beside their windows: set one before the window is
// created, and an empty one (which removes it) before the window goes.
UI_API void setMenuBar(const Window& window, MenuBar bar);
// Null when the window has no menu bar.
UI_API const MenuBar* menuBarOf(const Window& window);

}  // namespace ui
