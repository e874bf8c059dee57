#pragma once
#include <string>

namespace ui {

// A window font as the templates name it. The face "MS Shell Dlg" (and the
// other classic dialog faces) stands for the desktop's own dialog font.
struct Font {
  std::string face = "MS Shell Dlg";
  int pointSize = 8;
  bool bold = false;
  bool italic = false;
  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace ui
