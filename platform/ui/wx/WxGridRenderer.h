#pragma once
// clang-format off
#include <type_traits>
#include <wx/grid.h>
// clang-format on

namespace uiwx {

// Draws every kind of sheet cell from the sheet model: texts as the sheet
// shows them, check boxes with their pictures, push buttons, pictures, the
// drop-down mark of combo boxes, and the cell's border.
class WxGridCellRenderer : public wxGridCellRenderer {
 public:
  void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
            bool isSelected) override;
  wxSize GetBestSize(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row, int col) override;
  wxGridCellRenderer* Clone() const override { return new WxGridCellRenderer; }
};

// A header cell: the desktop's header look, the cell's own text and font.
void drawHeaderCell(wxGrid& grid, wxDC& dc, const wxRect& rect, int col, int row,
                    const wxString& fallback);

}  // namespace uiwx
