#include "platform/ui/wx/WxGrid.h"

#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <cmath>

#include "platform/grid/Sheet.h"
#include "platform/ui/wx/WxBackend.h"
#include "platform/ui/wx/WxGridFontMetrics.h"
#include "platform/ui/wx/WxGridRenderer.h"
#include "platform/ui/wx/WxGridStyle.h"
#include "platform/ui/wx/WxGridTable.h"
#include "platform/ui/wx/WxText.h"

namespace uiwx {
namespace {
using grid::CellKind;

int pixels(double value) {
  return static_cast<int>(std::lround(value));
}
}  // namespace

WxGrid::WxGrid(wxWindow* parent, ui::SpreadControl& control)
    : wxGrid(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_SUNKEN),
      link_(control.connectView(this)),
      table_(new WxGridTable(*this)) {
  control.model().setFontMetrics(&WxGridFontMetrics::instance());
  SetTable(table_, true, wxGridSelectCells);
  SetDefaultCellOverflow(false);
  EnableDragGridSize(false);
  SetMargins(0, 0);
  bindEvents();
  syncLayout();
}

WxGrid::~WxGrid() {
  if (link_->view == this) link_->view = nullptr;
}

ui::SpreadControl* WxGrid::control() const {
  return link_->view == this ? link_->control : nullptr;
}

grid::Sheet* WxGrid::sheet() const {
  ui::SpreadControl* c = control();
  return c ? &c->model() : nullptr;
}

// --- the user's actions ----------------------------------------------------------

void WxGrid::bindEvents() {
  Bind(wxEVT_CHAR_HOOK, &WxGrid::onKeyHook, this);
  Bind(wxEVT_GRID_CELL_LEFT_CLICK, &WxGrid::onLeftClick, this);
  Bind(wxEVT_GRID_CELL_RIGHT_CLICK, &WxGrid::onRightClick, this);
  Bind(wxEVT_GRID_SELECT_CELL, [this](wxGridEvent& e) {
    if (ui::SpreadControl* c = control(); c && !syncing_)
      deliver([&] { c->userMoveTo(e.GetCol() + 1, e.GetRow() + 1); });
    e.Skip();
  });
  Bind(wxEVT_GRID_CELL_LEFT_DCLICK, [this](wxGridEvent& e) {
    if (ui::SpreadControl* c = control())
      deliver([&] { c->userDoubleClickCell(e.GetCol() + 1, e.GetRow() + 1); });
    e.Skip();
  });
  Bind(wxEVT_GRID_LABEL_LEFT_CLICK, [this](wxGridEvent& e) {
    if (ui::SpreadControl* c = control())
      deliver([&] { c->userSelectHeader(e.GetCol() + 1, e.GetRow() + 1); });
    e.Skip();
  });
  Bind(wxEVT_GRID_RANGE_SELECTED, [this](wxGridRangeSelectEvent& e) {
    if (ui::SpreadControl* c = control(); c && !syncing_ && e.Selecting())
      deliver([&] {
        c->userSelectBlock(
            {e.GetLeftCol() + 1, e.GetTopRow() + 1, e.GetRightCol() + 1, e.GetBottomRow() + 1});
      });
    e.Skip();
  });
  Bind(wxEVT_GRID_EDITOR_SHOWN, [this](wxGridEvent& e) {
    if (grid::Sheet* s = sheet(); s && !syncing_) s->setEditMode(true);
    e.Skip();
  });
  Bind(wxEVT_GRID_EDITOR_HIDDEN, [this](wxGridEvent& e) {
    if (grid::Sheet* s = sheet(); s && !syncing_) s->setEditMode(false);
    e.Skip();
  });
  // The user's column widths and row heights stay with the sheet.
  Bind(wxEVT_GRID_COL_SIZE, [this](wxGridSizeEvent& e) {
    if (grid::Sheet* s = sheet())
      s->setColWidthInPixels(e.GetRowOrCol() + 1, GetColSize(e.GetRowOrCol()));
    e.Skip();
  });
  Bind(wxEVT_GRID_ROW_SIZE, [this](wxGridSizeEvent& e) {
    if (grid::Sheet* s = sheet()) s->setRowHeight(e.GetRowOrCol() + 1, GetRowSize(e.GetRowOrCol()));
    e.Skip();
  });
  GetGridWindow()->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
    if (ui::SpreadControl* c = control(); c && !c->hasFocus()) deliver([&] { c->setFocus(); });
    e.Skip();
  });
}

void WxGrid::onKeyHook(wxKeyEvent& e) {
  ui::SpreadControl* c = control();
  int key = e.GetKeyCode();
  bool editing = IsCellEditControlShown();
  if (!c) {
    e.Skip();
    return;
  }
  // Keys of the kit: the dialog hands them to the control (find, Tab exit, ...).
  if (key == WXK_TAB || key == WXK_F3 || key == WXK_F5 || key == WXK_F8 ||
      (key == WXK_ESCAPE && !editing)) {
    if (key == WXK_TAB && editing) DisableCellEditControl();  // Tab commits the edit
    if (!c->hasFocus()) deliver([&] { c->setFocus(); });
    e.Skip();
    return;
  }
  if (e.ControlDown() && !editing && (key == 'C' || key == 'V')) {
    deliver([&] { key == 'C' ? c->copyToClipboard() : c->pasteFromClipboard(); });
    return;
  }
  // Everything else is the grid's own: editing, moving, Enter and Escape in the editor.
  e.DoAllowNextEvent();
}

void WxGrid::onLeftClick(wxGridEvent& e) {
  ui::SpreadControl* c = control();
  if (!c) return e.Skip();
  int col = e.GetCol() + 1, row = e.GetRow() + 1;
  CellKind kind = c->model().getCellType(col, row).kind;
  deliver([&] { c->userClickCell(col, row); });
  // Check boxes and buttons answer the click themselves; other cells select and edit.
  if (kind == CellKind::CheckBox || kind == CellKind::Button) {
    syncCursor();
    return;
  }
  e.Skip();
}

void WxGrid::onRightClick(wxGridEvent& e) {
  ui::SpreadControl* c = control();
  if (!c) return e.Skip();
  if (!IsInSelection(e.GetRow(), e.GetCol())) {
    deliver([&] { c->userMoveTo(e.GetCol() + 1, e.GetRow() + 1); });
    ClearSelection();
    syncCursor();
  }
  wxPoint at = ScreenToClient(wxGetMousePosition());
  bool used = false;
  deliver([&] {
    used = c->dispatchMouse({ui::MouseAction::Down, ui::MouseButton::Right, {at.x, at.y}});
  });
  if (!used) e.Skip();
}

// --- following the model ----------------------------------------------------------------

void WxGrid::cellChanged(int col, int row) {
  if (col == 0 || row == 0) {
    GetGridColLabelWindow()->Refresh();
    GetGridRowLabelWindow()->Refresh();
  } else if (row <= GetNumberRows() && col <= GetNumberCols()) {
    RefreshBlock(row - 1, col - 1, row - 1, col - 1);
  }
  syncCursor();
}

void WxGrid::layoutChanged() {
  scheduleSync();
}

void WxGrid::scheduleSync() {
  // Bulk fills report many changes; the grid catches up once.
  if (syncPending_) return;
  syncPending_ = true;
  CallAfter([this] {
    syncPending_ = false;
    syncLayout();
  });
}

void WxGrid::syncSizes() {
  grid::Sheet* s = sheet();
  int defaultRow = pixels(s->rowHeight(-1)), defaultCol = s->colWidthInPixels(-1);
  if (GetDefaultRowSize() != defaultRow) SetDefaultRowSize(defaultRow, false);
  if (GetDefaultColSize() != defaultCol) SetDefaultColSize(defaultCol, false);
  for (int row = 0; row < GetNumberRows(); ++row)
    if (int h = pixels(s->rowHeight(row + 1)); GetRowSize(row) != h) SetRowSize(row, h);
  for (int col = 0; col < GetNumberCols(); ++col)
    if (int w = s->colWidthInPixels(col + 1); GetColSize(col) != w) SetColSize(col, w);
  if (int w = s->colWidthInPixels(0); GetRowLabelSize() != w) SetRowLabelSize(w);
  if (int h = pixels(s->rowHeight(0)); GetColLabelSize() != h) SetColLabelSize(h);
}

void WxGrid::syncLayout() {
  grid::Sheet* s = sheet();
  if (!s) return;
  const grid::SheetSettings& set = s->settings();
  syncing_ = true;
  BeginBatch();
  table_->syncSize();
  syncSizes();
  wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  SetDefaultCellBackgroundColour(window);
  GetGridWindow()->SetBackgroundColour(
      sheetColour(set.grayBackground, wxSystemSettings::GetColour(wxSYS_COLOUR_APPWORKSPACE)));
  SetGridLineColour(sheetColour(set.gridColor, wxColour(192, 192, 192)));
  SetSelectionBackground(
      sheetColour(set.selBackground, wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
  SetSelectionForeground(
      sheetColour(set.selForeground, wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT)));
  SetLabelFont(sheetFont(s->getFont(0, 0)));
  // A shade below the grey area, so captions stand apart on light desktops too.
  SetLabelBackgroundColour(
      sheetColour(set.grayBackground, wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE))
          .ChangeLightness(92));
  grid::Area block;
  if (s->getSelectBlock(block)) {
    int left = block.col1 < 1 ? 0 : block.col1 - 1;
    int top = block.row1 < 1 ? 0 : block.row1 - 1;
    int right = block.col2 < 0 ? GetNumberCols() - 1 : block.col2 - 1;
    int bottom = block.row2 < 0 ? GetNumberRows() - 1 : block.row2 - 1;
    if (right >= left && bottom >= top && right < GetNumberCols() && bottom < GetNumberRows())
      SelectBlock(top, left, bottom, right);
  } else if (IsSelection()) {
    ClearSelection();
  }
  EndBatch();
  syncing_ = false;
  syncCursor();
  ForceRefresh();
}

void WxGrid::syncCursor() {
  grid::Sheet* s = sheet();
  int col = 0, row = 0;
  if (!s || delivering_ || syncing_ || !s->getActiveCell(col, row)) return;
  if (row > GetNumberRows() || col > GetNumberCols()) return;
  if (GetGridCursorRow() == row - 1 && GetGridCursorCol() == col - 1) return;
  syncing_ = true;
  SetGridCursor(row - 1, col - 1);
  MakeCellVisible(row - 1, col - 1);
  syncing_ = false;
}

wxGridCellEditorPtr WxGrid::currentEditor() const {
  return wxGridCellEditorPtr(GetCellEditor(GetGridCursorRow(), GetGridCursorCol()));
}

void WxGrid::dropEditor() {
  if (!IsCellEditControlEnabled()) return;
  syncing_ = true;
  if (wxGridCellEditorPtr editor = currentEditor()) editor->Reset();
  DisableCellEditControl();
  syncing_ = false;
}

void WxGrid::editStateChanged() {
  grid::Sheet* s = sheet();
  if (!s) return;
  bool editing = s->getEditMode();
  int start = 0, end = 0;
  s->getSel(start, end);
  // The sheet's text may have changed under an open editor: never write that back.
  dropEditor();
  syncCursor();
  if (!editing || !CanEnableCellControl()) return;
  // Whoever has the keys (the find dialog) keeps them.
  wxWindow* focus = wxWindow::FindFocus();
  syncing_ = true;
  EnableCellEditControl();
  syncing_ = false;
  if (wxGridCellEditorPtr editor = currentEditor())
    if (auto* text = dynamic_cast<wxTextCtrl*>(editor->GetControl()))
      text->SetSelection(start, end);
  if (focus && wxGetTopLevelParent(focus) != wxGetTopLevelParent(this)) focus->SetFocus();
}

void WxGrid::pullEditState() {
  grid::Sheet* s = sheet();
  if (!s || !IsCellEditControlShown()) return;
  wxGridCellEditorPtr editor = currentEditor();
  auto* text = editor ? dynamic_cast<wxTextCtrl*>(editor->GetControl()) : nullptr;
  if (!text) return;
  long from = 0, to = 0;
  text->GetSelection(&from, &to);
  s->setEditMode(true);
  s->setSel(static_cast<int>(from), static_cast<int>(to));
}

int WxGrid::trackPopupMenu(const std::vector<ui::MenuEntry>& entries, ui::Point at) {
  wxMenu menu;
  for (const ui::MenuEntry& entry : entries) {
    if (entry.separator)
      menu.AppendSeparator();
    else
      menu.Append(entry.id, toWx(entry.text));
  }
  int id = GetPopupMenuSelectionFromUser(menu, wxPoint(at.x, at.y));
  return id == wxID_NONE ? 0 : id;
}

int WxGrid::verticalScrollBarWidth() const {
  return IsScrollbarShown(wxVERTICAL) ? wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this) : 0;
}

// --- headers --------------------------------------------------------------------------------

void WxGrid::DrawColLabel(wxDC& dc, int col) {
  grid::Sheet* s = sheet();
  int anchor = col + 1, count = 1, anchorRow = 0, rows = 0;
  if (s && s->getCellSpan(col + 1, 0, anchor, anchorRow, count, rows) && anchor >= 1) {
    int last = std::min(anchor + count - 1, GetNumberCols());
    wxRect rect(GetColLeft(anchor - 1), 0, GetColRight(last - 1) - GetColLeft(anchor - 1) + 1,
                GetColLabelSize());
    drawHeaderCell(*this, dc, rect, anchor, 0, table_->GetColLabelValue(anchor - 1));
    return;
  }
  wxRect rect(GetColLeft(col), 0, GetColSize(col), GetColLabelSize());
  drawHeaderCell(*this, dc, rect, col + 1, 0, table_->GetColLabelValue(col));
}

void WxGrid::DrawRowLabel(wxDC& dc, int row) {
  wxRect rect(0, GetRowTop(row), GetRowLabelSize(), GetRowSize(row));
  drawHeaderCell(*this, dc, rect, 0, row + 1, table_->GetRowLabelValue(row));
}

void WxGrid::DrawCornerLabel(wxDC& dc) {
  wxRect rect(0, 0, GetRowLabelSize(), GetColLabelSize());
  drawHeaderCell(*this, dc, rect, 0, 0, wxString());
}

// --- registration -----------------------------------------------------------------------------

void registerGridWidget() {
  ui::SpreadControl::setDefaultFontMetrics(&WxGridFontMetrics::instance());
  WidgetFactories::add(ui::kSpreadClass, [](wxWindow* parent, ui::Window& model) -> wxWindow* {
    if (auto* control = dynamic_cast<ui::SpreadControl*>(&model))
      return new WxGrid(parent, *control);
    return new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
  });
}

}  // namespace uiwx
