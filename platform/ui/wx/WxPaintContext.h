#pragma once
#include <wx/dc.h>

#include "platform/ui/PaintContext.h"
#include "platform/ui/wx/uiwx_export.h"

namespace uiwx {

// The kit's drawing calls on a wxDC (exported for the backend's tests).
class UIWX_API WxPaintContext : public ui::PaintContext {
 public:
  explicit WxPaintContext(wxDC& dc);
  void setPen(ui::Color color, int width, bool dotted) override;
  void setNoPen() override;
  void setBrush(ui::Color color) override;
  void setNoBrush() override;
  void setTextColor(ui::Color color) override;
  void setTransparentText(bool on) override;
  void setFont(const ui::Font& font) override;
  void drawLine(ui::Point from, ui::Point to) override;
  void drawRect(const ui::Rect& rect) override;
  void drawText(std::string_view text, const ui::Rect& box, unsigned align) override;
  bool drawImage(const std::string& file, const ui::Rect& box) override;
  bool drawIcon(int iconId, const ui::Rect& box) override;
  bool drawPixels(std::span<const std::uint32_t> argb, ui::Size size, ui::Point at) override;
  ui::Size textExtent(std::string_view text) override;
  void drawControlFace(ui::ControlFace face, const ui::Rect& box, unsigned state) override;

 private:
  wxDC& dc_;
};

// The wx font for a kit font: the classic dialog faces stand for the desktop's GUI font.
wxFont wxFontFor(const ui::Font& font);

}  // namespace uiwx
