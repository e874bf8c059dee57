#include "apps/ss-host/gui/MacroListPane.h"

namespace {
enum Column { kName, kKind, kModules, kStandards };
}

MacroListPane::MacroListPane(wxWindow* parent)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxBORDER_NONE) {
  AppendColumn("Macro", wxLIST_FORMAT_LEFT, 140);
  AppendColumn("Kind", wxLIST_FORMAT_LEFT, 110);
  AppendColumn("Modules", wxLIST_FORMAT_LEFT, 330);
  AppendColumn("Standards", wxLIST_FORMAT_LEFT, 220);
  Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& e) {
    if (onActivate) onActivate(static_cast<int>(e.GetIndex()));
  });
}

void MacroListPane::setRows(std::vector<MacroListRow> rows) {
  rows_ = std::move(rows);
  SetItemCount(static_cast<long>(rows_.size()));
  if (!rows_.empty()) selectRow(0);
  Refresh();
}

bool MacroListPane::updateRow(const MacroListRow& row) {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].id == row.id) {
      rows_[i] = row;
      RefreshItem(static_cast<long>(i));
      return true;
    }
  return false;
}

int MacroListPane::selectedRow() const {
  return static_cast<int>(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

void MacroListPane::selectRow(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
               wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  EnsureVisible(row);
}

wxString MacroListPane::OnGetItemText(long item, long column) const {
  if (item < 0 || item >= static_cast<long>(rows_.size())) return {};
  const MacroListRow& r = rows_[static_cast<size_t>(item)];
  switch (column) {
    case kName:
      return wxString::FromUTF8(r.name);
    case kKind:
      return wxString::FromUTF8(r.kind);
    case kModules:
      return wxString::FromUTF8(r.modules);
    case kStandards:
      return wxString::FromUTF8(r.standards);
  }
  return {};
}
