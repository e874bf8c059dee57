#include "platform/ui/wx/WxPaintContext.h"

#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include "platform/ui/wx/WxIcons.h"
#include "platform/ui/wx/WxText.h"

namespace uiwx {

wxFont wxFontFor(const ui::Font& font) {
  static const char* classic[] = {"MS Shell Dlg", "MS Shell Dlg 2", "MS Sans Serif",
                                  "Tahoma",       "Segoe UI",       ""};
  wxFont f = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  bool isClassic = false;
  for (const char* c : classic) isClassic = isClassic || font.face == c;
  if (!isClassic) {
    f.SetFaceName(toWx(font.face));
    // Classic 8 points is the desktop's size; other sizes scale from it.
    f.SetPointSize(std::max(6, f.GetPointSize() * font.pointSize / 8));
  } else if (font.pointSize != 8 && font.pointSize > 0) {
    f.SetPointSize(std::max(6, f.GetPointSize() * font.pointSize / 8));
  }
  if (font.bold) f.SetWeight(wxFONTWEIGHT_BOLD);
  if (font.italic) f.SetStyle(wxFONTSTYLE_ITALIC);
  return f;
}

WxPaintContext::WxPaintContext(wxDC& dc) : dc_(dc) {}

void WxPaintContext::setPen(ui::Color c, int width, bool dotted) {
  dc_.SetPen(wxPen(wxColour(c.r, c.g, c.b), width, dotted ? wxPENSTYLE_DOT : wxPENSTYLE_SOLID));
}
void WxPaintContext::setNoPen() {
  dc_.SetPen(*wxTRANSPARENT_PEN);
}
void WxPaintContext::setBrush(ui::Color c) {
  dc_.SetBrush(wxBrush(wxColour(c.r, c.g, c.b)));
}
void WxPaintContext::setNoBrush() {
  dc_.SetBrush(*wxTRANSPARENT_BRUSH);
}
void WxPaintContext::setTextColor(ui::Color c) {
  dc_.SetTextForeground(wxColour(c.r, c.g, c.b));
}
void WxPaintContext::setTransparentText(bool on) {
  dc_.SetBackgroundMode(on ? wxBRUSHSTYLE_TRANSPARENT : wxBRUSHSTYLE_SOLID);
}
void WxPaintContext::setFont(const ui::Font& font) {
  dc_.SetFont(wxFontFor(font));
}
void WxPaintContext::drawLine(ui::Point a, ui::Point b) {
  dc_.DrawLine(a.x, a.y, b.x, b.y);
}
void WxPaintContext::drawRect(const ui::Rect& r) {
  dc_.DrawRectangle(r.left, r.top, r.width(), r.height());
}

void WxPaintContext::drawText(std::string_view text, const ui::Rect& box, unsigned align) {
  int flags = wxALIGN_LEFT;
  if (align & ui::DT_CENTER)
    flags = wxALIGN_CENTRE_HORIZONTAL;
  else if (align & ui::DT_RIGHT)
    flags = wxALIGN_RIGHT;
  flags |= (align & ui::DT_VCENTER) ? wxALIGN_CENTRE_VERTICAL : wxALIGN_TOP;
  const wxRect area(box.left, box.top, box.width(), box.height());
  if (align & ui::DT_CLIP) {
    wxDCClipper clip(dc_, area);
    dc_.DrawLabel(toWx(text), area, flags);
  } else {
    dc_.DrawLabel(toWx(text), area, flags);
  }
}

void WxPaintContext::drawControlFace(ui::ControlFace face, const ui::Rect& box, unsigned state) {
  wxWindow* window = dc_.GetWindow();
  if (!window || face == ui::ControlFace::GroupFrame) {
    PaintContext::drawControlFace(face, box, state);
    return;
  }
  int flags = 0;
  if (state & ui::CF_DISABLED) flags |= wxCONTROL_DISABLED;
  if (state & ui::CF_CHECKED) flags |= wxCONTROL_CHECKED;
  if (state & ui::CF_UNDETERMINED) flags |= wxCONTROL_UNDETERMINED;
  const wxRect r(box.left, box.top, box.width(), box.height());
  wxRendererNative& native = wxRendererNative::Get();
  switch (face) {
    case ui::ControlFace::PushButton:
      native.DrawPushButton(window, dc_, r, flags);
      break;
    case ui::ControlFace::CheckBox:
      native.DrawCheckBox(window, dc_, r, flags);
      break;
    case ui::ControlFace::RadioButton:
      native.DrawRadioBitmap(window, dc_, r, flags);
      break;
    case ui::ControlFace::DropDown:
      native.DrawComboBox(window, dc_, r, flags);
      break;
    case ui::ControlFace::DropDownList:
      native.DrawChoice(window, dc_, r, flags);
      break;
    default:
      native.DrawTextCtrl(window, dc_, r, flags);
      break;
  }
}

bool WxPaintContext::drawImage(const std::string& file, const ui::Rect& box) {
  wxImage image;
  if (!wxFileExists(toWx(file)) || !image.LoadFile(toWx(file))) return false;
  if (box.width() > 0 && box.height() > 0 &&
      (image.GetWidth() != box.width() || image.GetHeight() != box.height()))
    image.Rescale(box.width(), box.height(), wxIMAGE_QUALITY_HIGH);
  dc_.DrawBitmap(wxBitmap(image), box.left, box.top, true);
  return true;
}

bool WxPaintContext::drawIcon(int iconId, const ui::Rect& box) {
  wxBitmap b = iconBitmap(iconId, std::max(16, std::min(box.width(), box.height())));
  if (!b.IsOk()) return false;
  dc_.DrawBitmap(b, box.left, box.top, true);
  return true;
}

bool WxPaintContext::drawPixels(std::span<const std::uint32_t> argb, ui::Size size, ui::Point at) {
  if (size.width <= 0 || size.height <= 0 ||
      argb.size() < static_cast<size_t>(size.width) * static_cast<size_t>(size.height))
    return false;
  wxImage image(size.width, size.height, false);
  image.InitAlpha();
  unsigned char* rgb = image.GetData();
  unsigned char* alpha = image.GetAlpha();
  for (size_t i = 0, n = static_cast<size_t>(size.width) * size.height; i < n; ++i) {
    std::uint32_t p = argb[i];
    rgb[3 * i] = (p >> 16) & 0xFF;
    rgb[3 * i + 1] = (p >> 8) & 0xFF;
    rgb[3 * i + 2] = p & 0xFF;
    alpha[i] = (p >> 24) & 0xFF;
  }
  dc_.DrawBitmap(wxBitmap(image), at.x, at.y, true);
  return true;
}

ui::Size WxPaintContext::textExtent(std::string_view text) {
  wxCoord w = 0, h = 0;
  dc_.GetMultiLineTextExtent(toWx(text), &w, &h);
  return {w, h};
}

}  // namespace uiwx
