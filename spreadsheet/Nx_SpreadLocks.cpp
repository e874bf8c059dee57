// Nx_Spread: locks, spans, merges and check-box links.
#include "spreadsheet/Nx_Spread.h"

bool Nx_Spread::setCellLocked(const int& col, const int& row, bool locked) {
  return hasCell(col, row) && model().setLock(at(col), at(row), locked);
}

bool Nx_Spread::setRowLocked(const int& row, bool locked) {
  if (!hasRow(row)) return false;
  return model().maxCols() < 1 ||
         model().setLockRange({1, at(row), model().maxCols(), at(row)}, locked);
}

bool Nx_Spread::lockColumn(const int& col) {
  if (!hasCol(col)) return false;
  return model().maxRows() < 1 ||
         model().setLockRange({at(col), 1, at(col), model().maxRows()}, true);
}

bool Nx_Spread::removeCellSpan(const int& col, const int& row) {
  if (!hasCell(col, row)) return false;
  int anchorCol = 0, anchorRow = 0, cols = 0, rows = 0;
  if (model().getCellSpan(at(col), at(row), anchorCol, anchorRow, cols, rows))
    model().removeCellSpan(anchorCol, anchorRow);
  return true;
}

bool Nx_Spread::removeColumnSpans(const int& col) {
  if (!attached_ || col < 0 || col > model().maxCols()) return false;
  for (int row = 1; row <= model().maxRows(); ++row) removeCellSpan(col, row);
  return true;
}

bool Nx_Spread::removeAllSpans() {
  if (!attached_) return false;
  for (int col = 1; col <= model().maxCols(); ++col) removeColumnSpans(col);
  return true;
}

bool Nx_Spread::mergeEqualCells(const int& col) {
  if (!removeColumnSpans(col)) return false;
  grid::Sheet& s = model();
  int rows = s.maxRows();
  int runStart = 1;
  std::string runText;
  auto closeRun = [&](int end) {
    if (!runText.empty() && end - runStart >= 2) s.addCellSpan(col, runStart, 1, end - runStart);
  };
  for (int row = 1; row <= rows; ++row) {
    std::string text = s.getData(col, row);
    if (text.empty() || text != runText) {
      closeRun(row);
      runStart = row;
      runText = text;
    }
  }
  closeRun(rows + 1);
  return true;
}

bool Nx_Spread::applyCheckLink(int row) {
  Nx_String state = model().getValue(checkColumn_, row);
  if (state == "0") return model().setLock(linkedColumn_, row, true);
  if (state == "1") return model().setLock(linkedColumn_, row, false);
  return false;
}

bool Nx_Spread::linkCheckColumn(const int& checkCol, const int& linkedCol) {
  if (!attached_) return false;
  int cols = model().maxCols();
  if (checkCol < 1 || checkCol > cols || linkedCol < 1 || linkedCol > cols) return false;
  checkColumn_ = checkCol;
  linkedColumn_ = linkedCol;
  for (int row = 1; row <= model().maxRows(); ++row) applyCheckLink(row);
  return true;
}

bool Nx_Spread::setAutoColumn(bool enable, const int& col) {
  autoColumn_ = enable ? col : -1;
  return true;
}
