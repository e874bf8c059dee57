#pragma once
#include <wx/listctrl.h>

#include <functional>
#include <vector>

#include "apps/ss-host/listing/MacroListing.h"

// The model-space pane: the drawing's macros in a virtual list (name, kind,
// modules, attached standards), so a drawing of thousands of macros lists
// at once. Double-click or Enter activates a macro.
class MacroListPane : public wxListCtrl {
 public:
  explicit MacroListPane(wxWindow* parent);

  void setRows(std::vector<MacroListRow> rows);
  // Replaces one row (after its macro changed); false when it is not listed.
  bool updateRow(const MacroListRow& row);
  const std::vector<MacroListRow>& rows() const { return rows_; }
  // The selected row, or -1.
  int selectedRow() const;
  void selectRow(int row);

  std::function<void(int row)> onActivate;

 private:
  wxString OnGetItemText(long item, long column) const override;
  std::vector<MacroListRow> rows_;
};
