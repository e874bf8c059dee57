#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/Window.h"

namespace ui {

// Makes the window of a class name: the standard controls by name, custom
// classes (the spreadsheet control "fpSpread70", ...) through the factory
// registered under their name. An unknown class gives a plain placeholder
// window of that name, so a template names a custom control before its
// factory exists.
class UI_API WindowClasses {
 public:
  using Factory = std::function<std::unique_ptr<Window>()>;

  // Registers or replaces the factory of a custom class (names compare without case).
  static void add(std::string_view className, Factory factory);
  static bool remove(std::string_view className);
  static bool isRegistered(std::string_view className);
  // The window for the class, with the class name and style set.
  static std::unique_ptr<Window> create(std::string_view className, Style style);
};

}  // namespace ui
