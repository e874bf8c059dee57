#include "platform/ui/wx/WxGridTable.h"

#include <wx/settings.h>

#include <algorithm>

#include "platform/grid/FormulaDisplay.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/SpreadControl.h"
#include "platform/ui/wx/WxGrid.h"
#include "platform/ui/wx/WxGridRenderer.h"
#include "platform/ui/wx/WxGridStyle.h"
#include "platform/ui/wx/WxText.h"

namespace uiwx {
namespace {
using grid::CellKind;

int horizontalAlignment(const grid::Sheet& sheet, int col, int row, CellKind kind) {
  switch (kind) {
    case CellKind::Number:
      return wxALIGN_RIGHT;
    case CellKind::CheckBox:
    case CellKind::Button:
    case CellKind::Picture:
    case CellKind::PictureHandle:
      return wxALIGN_CENTRE;
    case CellKind::General:
      // Numbers to the right, as spreadsheets show them.
      return sheet.value(col, row).isNumber() ? wxALIGN_RIGHT : wxALIGN_LEFT;
    default:
      return wxALIGN_LEFT;
  }
}
}  // namespace

WxGridTable::WxGridTable(WxGrid& grid) : grid_(grid), renderer_(new WxGridCellRenderer) {}

WxGridTable::~WxGridTable() {
  renderer_->DecRef();
  for (auto& [length, editor] : textEditors_) editor->DecRef();
  for (auto& [items, editor] : comboEditors_) editor->DecRef();
}

wxString WxGridTable::GetValue(int row, int col) {
  const grid::Sheet* s = grid_.sheet();
  if (!s) return {};
  if (s->hasFormula(col + 1, row + 1))
    return "=" + toWx(grid::displayFormula(*s, col + 1, row + 1));
  return toWx(s->getData(col + 1, row + 1));
}

void WxGridTable::SetValue(int row, int col, const wxString& value) {
  ui::SpreadControl* c = grid_.control();
  if (!c) return;
  bool taken = false;
  grid_.deliver([&] { taken = c->userEdit(col + 1, row + 1, fromWx(value)); });
  if (!taken) wxBell();
}

bool WxGridTable::IsEmptyCell(int row, int col) {
  const grid::Sheet* s = grid_.sheet();
  return !s || s->displayText(col + 1, row + 1).empty();
}

wxString WxGridTable::GetRowLabelValue(int row) {
  const grid::Sheet* s = grid_.sheet();
  std::string text = s ? s->getData(0, row + 1) : std::string();
  return text.empty() ? wxString::Format("%d", row + 1) : toWx(text);
}

wxString WxGridTable::GetColLabelValue(int col) {
  const grid::Sheet* s = grid_.sheet();
  std::string text = s ? s->getData(col + 1, 0) : std::string();
  if (!text.empty()) return toWx(text);
  // In R1C1 style columns are counted, as the references name them.
  bool r1c1 = s && s->settings().refStyle == 2;
  return toWx(r1c1 ? std::to_string(col + 1) : grid::columnName(col + 1));
}

wxGridCellEditor* WxGridTable::editorFor(const grid::CellType& type) {
  wxGridCellEditor* editor = nullptr;
  if (type.kind == CellKind::ComboBox) {
    auto key = std::make_pair(type.text, type.editable);
    editor = comboEditors_[key];
    if (!editor) {
      wxArrayString items;
      for (const std::string& item : type.comboItems()) items.Add(toWx(item));
      editor = comboEditors_[key] = new wxGridCellChoiceEditor(items, type.editable);
    }
  } else {
    int length = type.kind == CellKind::Edit ? type.maxLength : 0;
    editor = textEditors_[length];
    if (!editor) editor = textEditors_[length] = new wxGridCellTextEditor(length);
  }
  editor->IncRef();
  return editor;
}

wxGridCellAttr* WxGridTable::GetAttr(int row, int col, wxGridCellAttr::wxAttrKind) {
  const grid::Sheet* s = grid_.sheet();
  ui::SpreadControl* control = grid_.control();
  if (!s || !control || row >= rows_ || col >= cols_) return nullptr;
  int c = col + 1, r = row + 1;
  const grid::CellFormat& f = s->format(c, r);
  const grid::SheetSettings& set = s->settings();
  auto* attr = new wxGridCellAttr;
  wxColour back = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  if (f.locked) back = sheetColour(set.lockBackground, back);
  attr->SetBackgroundColour(sheetColour(f.background, back));
  wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
  if (f.locked) text = sheetColour(set.lockForeground, text);
  attr->SetTextColour(sheetColour(f.foreground, text));
  attr->SetFont(sheetFont(s->getFont(c, r)));
  attr->SetAlignment(horizontalAlignment(*s, c, r, f.type.kind), wxALIGN_CENTRE);
  attr->SetOverflow(false);
  attr->SetReadOnly(!control->canEdit(c, r));
  renderer_->IncRef();
  attr->SetRenderer(renderer_);
  attr->SetEditor(editorFor(f.type));
  int anchorCol = 0, anchorRow = 0, spanCols = 0, spanRows = 0;
  if (s->getCellSpan(c, r, anchorCol, anchorRow, spanCols, spanRows) && anchorCol >= 1 &&
      anchorRow >= 1) {
    if (anchorCol == c && anchorRow == r)
      attr->SetSize(std::min(spanRows, rows_ - row), std::min(spanCols, cols_ - col));
    else
      attr->SetSize(anchorRow - r, anchorCol - c);  // covered: the offset to the anchor
  }
  return attr;
}

void WxGridTable::syncSize() {
  const grid::Sheet* s = grid_.sheet();
  int rows = s ? s->maxRows() : 0, cols = s ? s->maxCols() : 0;
  auto tell = [this](int id, int a, int b = -1) {
    wxGridTableMessage message(this, id, a, b);
    GetView()->ProcessTableMessage(message);
  };
  if (rows > rows_) {
    int added = rows - rows_;
    rows_ = rows;
    tell(wxGRIDTABLE_NOTIFY_ROWS_APPENDED, added);
  } else if (rows < rows_) {
    int gone = rows_ - rows;
    rows_ = rows;
    tell(wxGRIDTABLE_NOTIFY_ROWS_DELETED, rows, gone);
  }
  if (cols > cols_) {
    int added = cols - cols_;
    cols_ = cols;
    tell(wxGRIDTABLE_NOTIFY_COLS_APPENDED, added);
  } else if (cols < cols_) {
    int gone = cols_ - cols;
    cols_ = cols;
    tell(wxGRIDTABLE_NOTIFY_COLS_DELETED, cols, gone);
  }
}

}  // namespace uiwx
