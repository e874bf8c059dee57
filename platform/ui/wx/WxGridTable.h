#pragma once
// clang-format off
#include <type_traits>
#include <wx/grid.h>
// clang-format on

#include <map>
#include <string>
#include <utility>

#include "platform/grid/CellFormat.h"

namespace uiwx {

class WxGrid;

// The grid's view of the sheet model: values, labels and cell attributes are
// read from the sheet when the grid asks, nothing is copied. Rows and
// columns count from 0 here and from 1 in the sheet.
class WxGridTable : public wxGridTableBase {
 public:
  explicit WxGridTable(WxGrid& grid);
  ~WxGridTable() override;

  int GetNumberRows() override { return rows_; }
  int GetNumberCols() override { return cols_; }
  // The text the editor starts from: a formula with its "=", else the data.
  wxString GetValue(int row, int col) override;
  // The user's edit, through the control (which may refuse it).
  void SetValue(int row, int col, const wxString& value) override;
  bool IsEmptyCell(int row, int col) override;
  wxString GetRowLabelValue(int row) override;
  wxString GetColLabelValue(int col) override;
  bool CanHaveAttributes() override { return true; }
  wxGridCellAttr* GetAttr(int row, int col, wxGridCellAttr::wxAttrKind kind) override;

  // Tells the grid of rows and columns the sheet gained or lost.
  void syncSize();

 private:
  wxGridCellEditor* editorFor(const grid::CellType& type);

  WxGrid& grid_;
  int rows_ = 0;
  int cols_ = 0;
  wxGridCellRenderer* renderer_;
  // Editors are shared by every cell of the same kind, as the grid expects.
  std::map<int, wxGridCellEditor*> textEditors_;
  std::map<std::pair<std::string, bool>, wxGridCellEditor*> comboEditors_;
};

}  // namespace uiwx
