#pragma once
// clang-format off
#include <type_traits>
#include <wx/grid.h>
// clang-format on

#include <memory>

#include "platform/ui/SpreadControl.h"

namespace uiwx {

class WxGridTable;

// The widget of a spreadsheet control ("fpSpread70"): a wxGrid over the
// control's sheet model. It reads the sheet through its table, hands the
// user's clicks, edits and selections to the control, and follows the
// model's changes. It may outlive its control (widgets are deleted late):
// from then on it only answers empty.
class WxGrid : public wxGrid, public ui::SpreadView {
 public:
  WxGrid(wxWindow* parent, ui::SpreadControl& control);
  ~WxGrid() override;

  // Null once the control is gone or shown by another widget.
  ui::SpreadControl* control() const;
  grid::Sheet* sheet() const;
  // Runs a change the user made; the model's echo of it is not mirrored back.
  template <typename F>
  void deliver(F&& f) {
    bool was = delivering_;
    delivering_ = true;
    f();
    delivering_ = was;
  }

  // ui::SpreadView
  void cellChanged(int col, int row) override;
  void layoutChanged() override;
  void editStateChanged() override;
  void pullEditState() override;
  int trackPopupMenu(const std::vector<ui::MenuEntry>& entries, ui::Point at) override;
  int verticalScrollBarWidth() const override;

 protected:
  void DrawColLabel(wxDC& dc, int col) override;
  void DrawRowLabel(wxDC& dc, int row) override;
  void DrawCornerLabel(wxDC& dc) override;

 private:
  void bindEvents();
  void onKeyHook(wxKeyEvent& event);
  void onLeftClick(wxGridEvent& event);
  void onRightClick(wxGridEvent& event);
  void scheduleSync();
  void syncLayout();
  void syncSizes();
  void syncCursor();
  wxGridCellEditorPtr currentEditor() const;
  // Closes the cell editor without writing its text back.
  void dropEditor();

  std::shared_ptr<ui::SpreadViewLink> link_;
  WxGridTable* table_;  // owned by the grid
  bool delivering_ = false;
  bool syncing_ = false;
  bool syncPending_ = false;
};

// Makes "fpSpread70" windows show as grids and gives sheets the desktop's text measures.
void registerGridWidget();

}  // namespace uiwx
