// Nx_Spread: inserting, deleting, moving and copying rows and columns.
#include <algorithm>

#include "spreadsheet/CaptionDlg.h"
#include "spreadsheet/Nx_Spread.h"

// Growing the sheet copies rows too; only the user-facing copies mark the
// sheet changed.
bool Nx_Spread::copyRowCells(int from, int to) {
  if (!hasRow(from) || !hasRow(to)) return false;
  return model().copyRange({0, at(from), model().maxCols(), at(from)}, 0, at(to));
}

bool Nx_Spread::copyColumnCells(int from, int to) {
  if (!hasCol(from) || !hasCol(to)) return false;
  return model().copyRange({at(from), 0, at(from), model().maxRows()}, at(to), 0);
}

bool Nx_Spread::copyRow(const int& from, const int& to) {
  if (!copyRowCells(from, to)) return false;
  markChanged();
  return true;
}

bool Nx_Spread::copyColumn(const int& from, const int& to) {
  if (!copyColumnCells(from, to)) return false;
  markChanged();
  return true;
}

// A new row or column takes the types and formats of its neighbour, not its
// contents: "insert row" gives an empty row that edits like the others.
bool Nx_Spread::copyRowFormat(int from, int to) {
  return copyRowCells(from, to) && model().clearRange({0, to, model().maxCols(), to});
}

bool Nx_Spread::copyColumnFormat(int from, int to) {
  return copyColumnCells(from, to) && model().clearRange({to, 0, to, model().maxRows()});
}

bool Nx_Spread::insertRow(const int& row, bool askCaption, bool copyFormat) {
  if (!attached_ || row < 1 || row > model().maxRows() + 1) return false;
  if (!setMaxRows(model().maxRows() + 1)) return false;
  model().insRow(row);
  setRowFont(row, true);
  if (copyFormat && row < model().maxRows()) copyRowFormat(row + 1, row);
  Nx_String caption;
  if (askCaption && KvCaptionDlg::askRowOrColumn(true, caption)) model().setData(0, row, caption);
  markChanged();
  return true;
}

bool Nx_Spread::insertColumn(const int& col, bool askCaption, bool copyFormat) {
  if (!attached_ || col < 1 || col > model().maxCols() + 1) return false;
  if (!setMaxCols(model().maxCols() + 1, false)) return false;
  model().insCol(col);
  setColumnFont(col, true);
  if (copyFormat && col < model().maxCols()) copyColumnFormat(col + 1, col);
  Nx_String caption;
  if (askCaption && KvCaptionDlg::askRowOrColumn(false, caption)) model().setData(col, 0, caption);
  markChanged();
  return true;
}

int Nx_Spread::appendRow(bool copyFormat) {
  if (!attached_) return -1;
  int row = model().maxRows() + 1;
  if (!setMaxRows(row)) return -1;
  clearRow(row);
  setRowFont(row, true);
  if (copyFormat && row >= 2) copyRowFormat(row - 1, row);
  markChanged();
  return row;
}

int Nx_Spread::insertAfterSelection(bool copyFormat) {
  if (!attached_) return -1;
  int row = getSelectedRow();
  if (row < 1) {
    int col = 1;
    getActiveCell(col, row);
  }
  row = std::min(row + 1, model().maxRows() + 1);
  return insertRow(row, false, copyFormat) ? row : -1;
}

bool Nx_Spread::insertRowAfterSelection(bool copyFormat) {
  return insertAfterSelection(copyFormat) > 0;
}

bool Nx_Spread::appendRowValues(const Nx_StringArray& values) {
  // The values go into the row just inserted, wherever the selection put it.
  int row = insertAfterSelection(false);
  return row > 0 && setRowValues(row, values, false);
}

bool Nx_Spread::deleteRow(const int& row) {
  if (!attached_ || row < 1 || row > model().maxRows()) return false;
  if (!model().delRow(row)) return false;
  model().setMaxRows(model().maxRows() - 1);
  markChanged();
  return true;
}

bool Nx_Spread::deleteColumn(const int& col) {
  if (!attached_ || col < 1 || col > model().maxCols()) return false;
  if (!model().delCol(col)) return false;
  model().setMaxCols(model().maxCols() - 1);
  markChanged();
  return true;
}

bool Nx_Spread::deleteSelectedRow() {
  return attached_ && deleteRow(getSelectedRow());
}

bool Nx_Spread::moveRow(const int& row, const int& target) {
  if (!attached_ || row < 1 || row > model().maxRows() || target < 1 || target > model().maxRows())
    return false;
  if (row != target && !model().swapRange({1, row, std::max(1, model().maxCols()), row}, 1, target))
    return false;
  int col = 1, active = 1;
  getActiveCell(col, active);
  model().setActiveCell(col, target);
  selectRow(target);
  markChanged();
  return true;
}

bool Nx_Spread::moveSelectedRowUp() {
  if (!attached_) return false;
  int row = getSelectedRow();
  return moveRow(row, row - 1);
}

bool Nx_Spread::moveSelectedRowDown() {
  if (!attached_) return false;
  int row = getSelectedRow();
  return moveRow(row, row + 1);
}
