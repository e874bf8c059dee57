#include "platform/ui/wx/WxGridRenderer.h"

#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>

#include "platform/grid/Sheet.h"
#include "platform/ui/wx/WxGrid.h"
#include "platform/ui/wx/WxGridStyle.h"
#include "platform/ui/wx/WxText.h"

namespace uiwx {
namespace {
using grid::CellKind;

constexpr int kPadding = 3;

// The bitmap scaled down (never up) to fit the box, centred in it.
void drawFitted(wxDC& dc, const wxBitmap& bitmap, const wxRect& box) {
  if (!bitmap.IsOk() || box.width <= 0 || box.height <= 0) return;
  wxBitmap shown = bitmap;
  if (bitmap.GetWidth() > box.width || bitmap.GetHeight() > box.height) {
    double scale =
        std::min(double(box.width) / bitmap.GetWidth(), double(box.height) / bitmap.GetHeight());
    wxImage image = bitmap.ConvertToImage();
    image.Rescale(std::max(1, int(bitmap.GetWidth() * scale)),
                  std::max(1, int(bitmap.GetHeight() * scale)), wxIMAGE_QUALITY_HIGH);
    shown = wxBitmap(image);
  }
  dc.DrawBitmap(shown, box.x + (box.width - shown.GetWidth()) / 2,
                box.y + (box.height - shown.GetHeight()) / 2, true);
}

// Border types are side masks: 1 left, 2 right, 4 top, 8 bottom, 16 all round.
void drawBorder(wxDC& dc, const grid::Border& border, const wxRect& rect) {
  unsigned sides = border.type & 0x10 ? 0x0F : border.type;
  if (!sides || border.style == 0) return;
  dc.SetPen(wxPen(sheetColour(border.color, wxColour(96, 96, 96))));
  int l = rect.x, t = rect.y, r = rect.GetRight(), b = rect.GetBottom();
  if (sides & 1) dc.DrawLine(l, t, l, b + 1);
  if (sides & 2) dc.DrawLine(r, t, r, b + 1);
  if (sides & 4) dc.DrawLine(l, t, r + 1, t);
  if (sides & 8) dc.DrawLine(l, b, r + 1, b);
}

void drawCheckBox(wxGrid& grid, wxDC& dc, const wxRect& rect, const grid::CellType& type,
                  bool checked) {
  wxBitmap picture = handleBitmap(checked ? type.handle : type.handle2);
  wxRect box = rect;
  if (!type.text.empty()) box.width = std::min(box.width, box.height);
  if (picture.IsOk()) {
    drawFitted(dc, picture, box);
  } else {
    wxSize size = wxRendererNative::Get().GetCheckBoxSize(&grid);
    wxRect mark(box.x + (box.width - size.x) / 2, box.y + (box.height - size.y) / 2, size.x,
                size.y);
    wxRendererNative::Get().DrawCheckBox(&grid, dc, mark, checked ? int(wxCONTROL_CHECKED) : 0);
  }
  if (!type.text.empty()) {
    wxRect label(box.GetRight() + kPadding, rect.y, rect.GetRight() - box.GetRight() - kPadding,
                 rect.height);
    grid.DrawTextRectangle(dc, toWx(type.text), label, wxALIGN_LEFT, wxALIGN_CENTRE);
  }
}

void drawButton(wxGrid& grid, wxDC& dc, const wxRect& rect, const wxString& caption, bool enabled) {
  wxRect face = rect;
  face.Deflate(1);
  wxRendererNative::Get().DrawPushButton(&grid, dc, face, enabled ? 0 : int(wxCONTROL_DISABLED));
  dc.SetTextForeground(
      wxSystemSettings::GetColour(enabled ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT));
  grid.DrawTextRectangle(dc, caption, face, wxALIGN_CENTRE, wxALIGN_CENTRE);
}

void drawComboMark(wxGrid& grid, wxDC& dc, const wxRect& rect) {
  int side = std::min(rect.height, 16);
  wxRect button(rect.GetRight() - side + 1, rect.y + (rect.height - side) / 2, side, side);
  wxRendererNative::Get().DrawComboBoxDropButton(&grid, dc, button, 0);
}
}  // namespace

void WxGridCellRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect,
                              int row, int col, bool isSelected) {
  wxGridCellRenderer::Draw(grid, attr, dc, rect, row, col, isSelected);  // the background
  auto* view = dynamic_cast<WxGrid*>(&grid);
  const grid::Sheet* sheet = view ? view->sheet() : nullptr;
  if (!sheet) return;
  int c = col + 1, r = row + 1;
  // A merged block shows its anchor's contents over the whole block, whatever
  // part of it the grid repaints.
  wxRect area = rect;
  int anchorCol = 0, anchorRow = 0, spanCols = 0, spanRows = 0;
  if (sheet->getCellSpan(c, r, anchorCol, anchorRow, spanCols, spanRows) && anchorCol >= 1 &&
      anchorRow >= 1) {
    area = grid.CellToRect(anchorRow - 1, anchorCol - 1);  // with the whole span
    c = anchorCol;
    r = anchorRow;
  }
  wxDCClipper clip(dc, rect);
  const grid::CellFormat& f = sheet->format(c, r);
  dc.SetFont(attr.GetFont());
  dc.SetTextForeground(isSelected ? grid.GetSelectionForeground() : attr.GetTextColour());
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  wxRect inner = area;
  inner.Deflate(kPadding, 1);
  switch (f.type.kind) {
    case CellKind::CheckBox:
      drawCheckBox(grid, dc, area, f.type, sheet->getValue(c, r) == "1");
      break;
    case CellKind::Button:
      drawButton(grid, dc, area, toWx(f.type.text), !f.locked);
      break;
    case CellKind::Picture:
      drawFitted(dc, fileBitmap(f.type.text), area);
      break;
    case CellKind::PictureHandle:
      drawFitted(dc, handleBitmap(f.type.handle), area);
      break;
    case CellKind::ComboBox: {
      // The drop-down mark shows on the current cell, where a click opens the list.
      bool mark = !f.locked && grid.GetGridCursorRow() == r - 1 && grid.GetGridCursorCol() == c - 1;
      if (mark) {
        drawComboMark(grid, dc, area);
        inner.width -= std::min(area.height, 16);
      }
      grid.DrawTextRectangle(dc, toWx(sheet->displayText(c, r)), inner, wxALIGN_LEFT,
                             wxALIGN_CENTRE);
      break;
    }
    default: {
      int h = wxALIGN_LEFT, v = wxALIGN_CENTRE;
      attr.GetAlignment(&h, &v);
      grid.DrawTextRectangle(dc, toWx(sheet->displayText(c, r)), inner, h, v);
      break;
    }
  }
  drawBorder(dc, f.border, area);
}

wxSize WxGridCellRenderer::GetBestSize(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row,
                                       int col) {
  auto* view = dynamic_cast<WxGrid*>(&grid);
  const grid::Sheet* sheet = view ? view->sheet() : nullptr;
  if (!sheet) return {0, 0};
  dc.SetFont(attr.GetFont());
  wxSize size = dc.GetMultiLineTextExtent(toWx(sheet->displayText(col + 1, row + 1)));
  return {size.x + 2 * kPadding, size.y + 2};
}

void drawHeaderCell(wxGrid& grid, wxDC& dc, const wxRect& rect, int col, int row,
                    const wxString& fallback) {
  if (rect.width <= 0 || rect.height <= 0) return;
  // The flat grey caption cells of a spreadsheet, lines towards the cells.
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(grid.GetLabelBackgroundColour()));
  dc.DrawRectangle(rect);
  dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
  dc.DrawLine(rect.GetRight(), rect.y, rect.GetRight(), rect.GetBottom() + 1);
  dc.DrawLine(rect.x, rect.GetBottom(), rect.GetRight() + 1, rect.GetBottom());
  dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
  dc.DrawLine(rect.x, rect.y, rect.GetRight(), rect.y);
  dc.DrawLine(rect.x, rect.y, rect.x, rect.GetBottom());
  auto* view = dynamic_cast<WxGrid*>(&grid);
  const grid::Sheet* sheet = view ? view->sheet() : nullptr;
  wxString text = fallback;
  if (sheet) {
    std::string own = sheet->displayText(col, row);
    if (!own.empty()) text = toWx(own);
    dc.SetFont(sheetFont(sheet->getFont(col, row)));
  } else {
    dc.SetFont(grid.GetLabelFont());
  }
  dc.SetTextForeground(grid.GetLabelTextColour());
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  wxRect inner = rect;
  inner.Deflate(2, 1);
  grid.DrawTextRectangle(dc, text, inner, wxALIGN_CENTRE, wxALIGN_CENTRE);
}

}  // namespace uiwx
