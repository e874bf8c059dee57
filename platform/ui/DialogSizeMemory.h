#pragma once
#include <string_view>

#include "platform/ui/Geometry.h"
#include "platform/ui/ui_export.h"

namespace ui {

class Dialog;
class Window;

// Remembered dialog sizes and positions by template name ("DLG_GENVARS"),
// kept in the named-value store under the key "Dialog Sizes" as
// "left,top,width,height" of the client area on the screen.
class UI_API DialogSizeMemory {
 public:
  static constexpr const char* kKey = "Dialog Sizes";

  static bool get(std::string_view name, Rect& rect);
  static bool set(std::string_view name, const Rect& rect);
  // Gives the dialog its remembered size and position: never below its
  // minimum tracking size, and moved back onto the work area when it would
  // lie off it. False (nothing changed) when nothing is remembered.
  static bool restore(Dialog& dialog, std::string_view name);
  static bool store(const Window& dialog, std::string_view name);
};

}  // namespace ui
