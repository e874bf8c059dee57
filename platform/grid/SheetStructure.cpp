// Sheet: rows, columns and blocks; selection, edit state and the clipboard.
#include <algorithm>

#include "platform/grid/BlockEditor.h"
#include "platform/grid/Clipboard.h"
#include "platform/grid/Sheet.h"

namespace grid {

void Sheet::afterStructure() {
  recalc_.formulasChanged();
  if (content_.options.test(kOptionAutoCalc)) recalc_.all();
  notifyLayout();
}

bool Sheet::insRow(int row, int count) {
  if (busy() || row < 1 || row > content_.maxRows || count < 1) return false;
  count = std::min(count, content_.maxRows - row + 1);
  BlockEditor(content_).insertRows(row, count);
  afterStructure();
  return true;
}

bool Sheet::delRow(int row, int count) {
  if (busy() || row < 1 || row > content_.maxRows || count < 1) return false;
  count = std::min(count, content_.maxRows - row + 1);
  BlockEditor(content_).deleteRows(row, count);
  afterStructure();
  return true;
}

bool Sheet::insCol(int col, int count) {
  if (busy() || col < 1 || col > content_.maxCols || count < 1) return false;
  count = std::min(count, content_.maxCols - col + 1);
  BlockEditor(content_).insertCols(col, count);
  afterStructure();
  return true;
}

bool Sheet::delCol(int col, int count) {
  if (busy() || col < 1 || col > content_.maxCols || count < 1) return false;
  count = std::min(count, content_.maxCols - col + 1);
  BlockEditor(content_).deleteCols(col, count);
  afterStructure();
  return true;
}

bool Sheet::copyRange(const Area& from, int toCol, int toRow) {
  if (busy() || !validBlock(from)) return false;
  Area a = resolveBlock(from);
  if (!isValidCell(toCol, toRow)) return false;
  BlockEditor editor(content_);
  editor.paste(editor.snapshot(a), {toCol, toRow});
  afterStructure();
  return true;
}

bool Sheet::moveRange(const Area& from, int toCol, int toRow) {
  if (busy() || !validBlock(from)) return false;
  Area a = resolveBlock(from);
  Area to{toCol, toRow, toCol + a.width() - 1, toRow + a.height() - 1};
  if (!validBlock(to) || toCol < 0 || toRow < 0) return false;
  BlockEditor(content_).move(a, {toCol, toRow});
  afterStructure();
  return true;
}

bool Sheet::swapRange(const Area& from, int toCol, int toRow) {
  if (busy() || !validBlock(from)) return false;
  Area a = resolveBlock(from);
  Area to{toCol, toRow, toCol + a.width() - 1, toRow + a.height() - 1};
  if (!validBlock(to) || toCol < 0 || toRow < 0 || a.overlaps(to)) return false;
  BlockEditor(content_).swap(a, {toCol, toRow});
  afterStructure();
  return true;
}

// --- selection and editing ------------------------------------------------------

bool Sheet::setActiveCell(int col, int row) {
  if (col < 1 || row < 1 || col > content_.maxCols || row > content_.maxRows) return false;
  content_.activeCell = CellPos{col, row};
  notifyCell(col, row);
  return true;
}

bool Sheet::getActiveCell(int& col, int& row) const {
  if (!content_.activeCell) return false;
  col = content_.activeCell->col;
  row = content_.activeCell->row;
  return true;
}

bool Sheet::setSelectBlock(const Area& block) {
  // Negative bounds are kept as they are: they mean "all" whatever the size.
  auto ok = [](int lo, int hi, int max) {
    return (lo < 0 || lo <= max) && (hi < 0 || hi <= max) && (lo < 0 || hi < 0 || lo <= hi);
  };
  if (!ok(block.col1, block.col2, content_.maxCols) ||
      !ok(block.row1, block.row2, content_.maxRows))
    return false;
  content_.selection = block;
  notifyLayout();
  return true;
}

bool Sheet::getSelectBlock(Area& block) const {
  if (!content_.selection) return false;
  block = *content_.selection;
  return true;
}

void Sheet::setEditMode(bool on) {
  content_.editMode = on;
  if (!on) content_.editSelStart = content_.editSelEnd = 0;
}

bool Sheet::setSel(int start, int end) {
  if (!content_.editMode || start < 0 || end < start) return false;
  content_.editSelStart = start;
  content_.editSelEnd = end;
  return true;
}

bool Sheet::getSel(int& start, int& end) const {
  if (!content_.editMode) return false;
  start = content_.editSelStart;
  end = content_.editSelEnd;
  return true;
}

bool Sheet::clipboardCopy() {
  Area a;
  if (content_.selection)
    a = resolveBlock(*content_.selection);
  else if (content_.activeCell)
    a = {content_.activeCell->col, content_.activeCell->row, content_.activeCell->col,
         content_.activeCell->row};
  else
    return false;
  if (!validBlock(a)) return false;
  std::string text;
  for (int row = a.row1; row <= a.row2; ++row) {
    for (int col = a.col1; col <= a.col2; ++col) {
      if (col > a.col1) text += '\t';
      text += getData(col, row);
    }
    text += "\r\n";
  }
  Clipboard::instance().setBlock(BlockEditor(content_).snapshot(a), std::move(text));
  return true;
}

bool Sheet::takesInput(int col, int row) const {
  if (col < 1 || row < 1 || !isValidCell(col, row)) return false;
  const CellFormat& f = format(col, row);
  if (f.locked) return false;
  switch (f.type.kind) {
    case CellKind::StaticText:
    case CellKind::Button:
    case CellKind::Picture:
    case CellKind::PictureHandle:
    case CellKind::CheckBox:
      return false;
    default:
      return true;
  }
}

bool Sheet::clipboardPaste(int* skipped) {
  if (skipped) *skipped = 0;
  if (busy()) return false;
  CellPos to;
  if (content_.selection) {
    Area a = resolveBlock(*content_.selection);
    to = {a.col1, a.row1};
  } else if (content_.activeCell) {
    to = *content_.activeCell;
  } else {
    return false;
  }
  if (!isValidCell(to.col, to.row)) return false;
  int refused = 0;
  if (auto block = Clipboard::instance().block()) {
    refused = BlockEditor(content_).pasteInput(
        *block, to, [this](int col, int row) { return takesInput(col, row); });
    if (skipped) *skipped = refused;
    afterStructure();
    return true;
  }
  // Text from elsewhere: tab-separated rows, written as data.
  std::string text = Clipboard::instance().text();
  if (text.empty()) return false;
  int row = to.row, col = to.col;
  std::size_t start = 0;
  while (start < text.size() && row <= content_.maxRows) {
    std::size_t end = text.find_first_of("\t\n", start);
    std::string_view field(text.data() + start,
                           (end == std::string::npos ? text.size() : end) - start);
    if (!field.empty() && field.back() == '\r') field.remove_suffix(1);
    bool changes = !field.empty() || !content_.cells.value(col, row).isEmpty();
    if (col <= content_.maxCols && changes &&
        (!takesInput(col, row) || !writeText(col, row, field)))
      ++refused;
    if (end == std::string::npos) break;
    if (text[end] == '\t') {
      ++col;
    } else {
      ++row;
      col = to.col;
    }
    start = end + 1;
  }
  if (skipped) *skipped = refused;
  notifyLayout();
  return true;
}

}  // namespace grid
