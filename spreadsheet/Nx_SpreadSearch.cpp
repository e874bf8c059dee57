// Nx_Spread: active cell, selection, edit state, find and replace.
#include "core/StringHelpers.h"
#include "spreadsheet/FindReplaceDlg.h"
#include "spreadsheet/Nx_Spread.h"

namespace {
// The wrapper's address of a selection bound: the header as -32767.
int fromModel(int index) {
  return index == 0 ? Nx_Spread::kHeader : index;
}
}  // namespace

bool Nx_Spread::getActiveCell(int& col, int& row) {
  if (!attached_) return false;
  if (model().getActiveCell(col, row)) return true;
  model().setActiveCell(1, 1);
  col = row = 1;
  return true;
}

bool Nx_Spread::getSelection(int& col1, int& row1, int& col2, int& row2) {
  if (!attached_) return false;
  grid::Area block;
  if (model().getSelectBlock(block)) {
    col1 = fromModel(block.col1);
    row1 = fromModel(block.row1);
    col2 = fromModel(block.col2);
    row2 = fromModel(block.row2);
    return true;
  }
  getActiveCell(col1, row1);
  col2 = col1;
  row2 = row1;
  return true;
}

int Nx_Spread::getSelectedColumn() {
  int col1 = -1, row1 = -1, col2 = -1, row2 = -1;
  return getSelection(col1, row1, col2, row2) ? col1 : -1;
}

int Nx_Spread::getSelectedRow() {
  int col1 = -1, row1 = -1, col2 = -1, row2 = -1;
  return getSelection(col1, row1, col2, row2) ? row1 : -1;
}

bool Nx_Spread::selectBlock(const int& col1, const int& row1, const int& col2, const int& row2) {
  return attached_ && model().setSelectBlock({at(col1), at(row1), at(col2), at(row2)});
}

bool Nx_Spread::selectRow(const int& row) {
  return hasRow(row) && row >= 1 && model().setSelectBlock({0, row, model().maxCols(), row});
}

bool Nx_Spread::getEditSelection(int& start, int& end) const {
  return attached_ && model().getEditMode() && model().getSel(start, end);
}

bool Nx_Spread::selectInCell(const int& col, const int& row, int start, int end) {
  if (!hasCell(col, row) || !model().setActiveCell(at(col), at(row))) return false;
  model().clearSelection();
  // A formula cell is found by its value, which is not the text its editor
  // shows: the cell is made active without a text selection.
  bool formula = model().hasFormula(at(col), at(row));
  model().setEditMode(!formula);
  if (!formula) model().setSel(start, end);
  editStateChanged();
  return true;
}

// --- find and replace ----------------------------------------------------------------

Nx_String Nx_Spread::searchText(const int& col, const int& row) const {
  if (!hasCell(col, row)) return {};
  int c = at(col), r = at(row);
  return model().hasFormula(c, r) ? model().getValue(c, r) : model().getData(c, r);
}

int Nx_Spread::findInRow(const Nx_String& text, bool substring, const int& row,
                         const int& startCol) const {
  if (!hasRow(row) || text.isEmpty()) return 0;
  for (int col = std::max(startCol, 1); col <= model().maxCols(); ++col) {
    Nx_String value = searchText(col, row);
    if (substring ? value.contains(text, false) : value.equal(text, false)) return col;
  }
  return 0;
}

bool Nx_Spread::find(const Nx_String& text, bool substring, const int& startCol,
                     const int& startRow, int& col, int& row) const {
  if (!attached_) return false;
  int first = std::max(startRow, 1);
  for (int r = first; r <= model().maxRows(); ++r) {
    if (int c = findInRow(text, substring, r, r == first ? startCol : 1)) {
      col = c;
      row = r;
      return true;
    }
  }
  return false;
}

bool Nx_Spread::findNext(const Nx_String& text, int& col, int& row, int& pos) const {
  if (!hasCell(col, row) || text.isEmpty()) return false;
  if (col >= 1 && row >= 1) {
    int further = findFirstFrom(searchText(col, row), text, pos, false);
    if (further >= 0) {
      pos = further;
      return true;
    }
  }
  int nextCol = col + 1, nextRow = row;
  if (nextCol > model().maxCols()) {
    nextCol = 1;
    ++nextRow;
  }
  int foundCol = 0, foundRow = 0;
  if (!find(text, true, nextCol, nextRow, foundCol, foundRow)) return false;
  col = foundCol;
  row = foundRow;
  pos = findFirstFrom(searchText(col, row), text, 0, false);
  return true;
}

bool Nx_Spread::replaceInCell(const int& col, const int& row, const Nx_String& oldText,
                              const Nx_String& newText) {
  if (!hasCell(col, row) || oldText.isEmpty() || !canEdit(at(col), at(row))) return false;
  // A formula's value is no text to edit: writing it back would lose the formula.
  if (model().hasFormula(at(col), at(row))) return false;
  Nx_String data = model().getData(at(col), at(row));
  if (replaceSubString(data, oldText, newText, false) == 0) return false;
  return model().setData(at(col), at(row), data);
}

bool Nx_Spread::replaceSelection(const Nx_String& newText) {
  int col = 1, row = 1, start = 0, end = 0;
  if (!getEditSelection(start, end) || !getActiveCell(col, row)) return false;
  if (!canEdit(col, row) || model().hasFormula(col, row)) return false;
  Nx_String data = model().getData(col, row);
  if (start > data.length()) return false;
  data.remove(start, end - start);
  data.insert(start, newText);
  return model().setData(col, row, data);
}

bool Nx_Spread::showFindReplace(bool replace) {
  if (!attached_) return false;
  if (!findDialog_) findDialog_ = std::make_unique<KvFindReplaceDlg>(*this);
  if (!findDialog_->isCreated()) return findDialog_->create(topLevel());
  return replace ? findDialog_->replace() : findDialog_->findNext();
}

bool Nx_Spread::closeFindReplace() {
  return findDialog_ && findDialog_->destroyWindow();
}
