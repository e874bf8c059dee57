#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ui_export.h"

namespace ui {

struct Color {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

// The face of dialogs and buttons, as the kit draws them.
inline constexpr Color kFaceColor{0xF0, 0xF0, 0xF0};

// Alignment of drawText.
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
// Nothing drawn outside the box (text in a narrow field).
inline constexpr unsigned DT_CLIP = 0x8;

// The faces of the standard controls, for a parent that draws its children
// (WS_EX_PARENTDRAWN), and their states (CF_*).
enum class ControlFace {
  PushButton,
  CheckBox,
  RadioButton,
  TextField,
  DropDown,
  DropDownList,
  ListBox,
  GroupFrame
};
inline constexpr unsigned CF_DISABLED = 0x1;
inline constexpr unsigned CF_CHECKED = 0x2;
inline constexpr unsigned CF_UNDETERMINED = 0x4;

// Drawing in a window's client coordinates, handed to Window::onPaint.
class UI_API PaintContext {
 public:
  virtual ~PaintContext();
  virtual void setPen(Color color, int width = 1, bool dotted = false) = 0;
  virtual void setNoPen() = 0;
  virtual void setBrush(Color color) = 0;
  // Hollow: shapes are outlined only.
  virtual void setNoBrush() = 0;
  virtual void setTextColor(Color color) = 0;
  // Text drawn over what lies beneath (true) or on the background colour.
  virtual void setTransparentText(bool on) = 0;
  virtual void setFont(const Font& font) = 0;
  virtual void drawLine(Point from, Point to) = 0;
  virtual void drawRect(const Rect& rect) = 0;
  virtual void drawText(std::string_view text, const Rect& box, unsigned align = DT_LEFT) = 0;
  // A picture file stretched into the box; false when it cannot be read.
  virtual bool drawImage(const std::string& file, const Rect& box) = 0;
  virtual bool drawIcon(int iconId, const Rect& box) = 0;
  // Pixels held in memory (0xAARRGGBB, rows from the top, size.width per
  // row) at their own size; alpha 0 lets what lies beneath show through.
  // False when the span is shorter than the size asks.
  virtual bool drawPixels(std::span<const std::uint32_t> argb, Size size, Point at) = 0;
  virtual Size textExtent(std::string_view text) = 0;
  // A control's face without its text (a check box's box only). Drawn with
  // plain shapes here, leaving pen and brush changed; a backend draws the
  // desktop's own look.
  virtual void drawControlFace(ControlFace face, const Rect& box, unsigned state);
};

}  // namespace ui
