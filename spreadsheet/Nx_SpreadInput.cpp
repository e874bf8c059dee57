// Nx_Spread: the popup menu, keys, Tab exit, notifications and size changes.
#include "core/dialString.h"
#include "platform/ui/Services.h"
#include "spreadsheet/Nx_Spread.h"
#include "spreadsheet/Nx_SpreadPopupMenu.h"
#include "spreadsheet/SheetOptions.h"

namespace {
constexpr int kCheckBoxType = 12;
constexpr int kTabStays = 0;
constexpr int kTabForwards = 2;
constexpr int kTabBackwards = 3;
constexpr int kPasteCaption = 1155;  // "Paste"
}  // namespace

// --- popup menu --------------------------------------------------------------------

bool Nx_Spread::setPopupEntries(const AcArray<int>& kinds) {
  popupMenu_ = std::make_unique<Nx_SpreadPopupMenu>(kinds);
  return true;
}

bool Nx_Spread::showPopupMenu(ui::Point at) {
  if (!attached_ || !popupMenu_) return false;
  int id = trackPopupMenu(popupMenu_->entries(), at);
  return id != 0 && runPopupCommand(id);
}

bool Nx_Spread::checkAll(const Nx_String& value) {
  int col1 = 0, row1 = 0, col2 = 0, row2 = 0;
  if (!getSelection(col1, row1, col2, row2)) return false;
  grid::Sheet& s = model();
  if (col1 < 0 || col2 < 0) col1 = 1, col2 = s.maxCols();
  if (row1 < 0 || row2 < 0) row1 = 1, row2 = s.maxRows();
  bool linked = checkColumn_ > 0 && linkedColumn_ > 0;
  for (int row = std::max(row1, 1); row <= std::min(row2, s.maxRows()); ++row) {
    for (int col = std::max(col1, 1); col <= std::min(col2, s.maxCols()); ++col)
      if (s.cellTypeCode(col, row) == kCheckBoxType) s.setData(col, row, value);
    // The linked cells follow their check boxes as they do on a click.
    if (linked && checkColumn_ >= col1 && checkColumn_ <= col2) applyCheckLink(row);
  }
  markChanged();
  return true;
}

bool Nx_Spread::runPopupCommand(int commandId) {
  if (!attached_ || !popupMenu_) return false;
  switch (popupMenu_->kindOfCommand(commandId)) {
    case Nx_SpreadPopupMenu::kCopy:
      return copyToClipboard();
    case Nx_SpreadPopupMenu::kPaste:
      return pasteFromClipboard();
    case Nx_SpreadPopupMenu::kInsertRow:
      return insertRow(getSelectedRow(), false, true);
    case Nx_SpreadPopupMenu::kDeleteRow:
      return deleteRow(getSelectedRow());
    case Nx_SpreadPopupMenu::kInsertColumn:
      return insertColumn(getSelectedColumn(), true, true);
    case Nx_SpreadPopupMenu::kDeleteColumn:
      return deleteColumn(getSelectedColumn());
    case Nx_SpreadPopupMenu::kCheckAll:
      return checkAll("1");
    case Nx_SpreadPopupMenu::kClearAll:
      return checkAll("0");
    default:
      return false;
  }
}

void Nx_Spread::onPasteSkipped(int cells) {
  Nx_String text = Nx_String(cells) + (cells == 1 ? " cell was" : " cells were") +
                   " not pasted: locked, not for typing, or not taking the text.";
  ui::messageBox(text, dialString(kPasteCaption), ui::MB_OK | ui::MB_ICONINFORMATION, topLevel());
}

bool Nx_Spread::onCommand(int id, int code) {
  return runPopupCommand(id);
}

bool Nx_Spread::onMouse(const ui::MouseEvent& mouse) {
  if (mouse.button != ui::MouseButton::Right || mouse.action != ui::MouseAction::Down ||
      !popupMenu_)
    return false;
  showPopupMenu(mouse.point);
  return true;
}

// --- keys ------------------------------------------------------------------------------

bool Nx_Spread::preTranslateKey(const ui::KeyEvent& key) {
  if (!attached_ || !key.down || key.control || key.alt) return false;
  switch (key.key) {
    case ui::VK_F3:
      showFindReplace(false);
      return true;
    case ui::VK_F5:
      showFindReplace(true);
      return true;
    case ui::VK_F8:
      if (f8TogglesOption13_) model().setBool(kOptionEditMode, !model().getBool(kOptionEditMode));
      return false;
    default:
      return false;
  }
}

// A cell in a span stands for its anchor, which is what the user can reach.
bool Nx_Spread::firstOrLastUnlocked(bool last, int& col, int& row) const {
  const grid::Sheet& s = model();
  long long cols = s.maxCols(), total = cols * s.maxRows();
  for (long long n = 0; n < total; ++n) {
    long long i = last ? total - 1 - n : n;
    int c = static_cast<int>(i % cols) + 1, r = static_cast<int>(i / cols) + 1;
    int anchorCol = c, anchorRow = r, spanCols = 0, spanRows = 0;
    s.getCellSpan(c, r, anchorCol, anchorRow, spanCols, spanRows);
    bool anchored = anchorCol != c || anchorRow != r;
    if (anchored ? !s.getLock(anchorCol, anchorRow) : !s.getLock(c, r)) {
      col = anchorCol;
      row = anchorRow;
      return true;
    }
  }
  return false;
}

int Nx_Spread::tabExitResult(bool backwards) {
  int col = 0, row = 0, activeCol = 0, activeRow = 0;
  // A sheet without a cell to edit lets the focus pass.
  if (!firstOrLastUnlocked(!backwards, col, row)) return backwards ? kTabBackwards : kTabForwards;
  if (!model().getActiveCell(activeCol, activeRow)) return kTabStays;
  if (activeCol != col || activeRow != row) return kTabStays;
  return backwards ? kTabBackwards : kTabForwards;
}

bool Nx_Spread::isTabExit(int key, int& result) {
  result = kTabStays;
  ui::Window* focus = ui::focusWindow();
  if (!attached_ || key != ui::VK_TAB || focus != this) return false;
  const std::string& name = focus->className();
  if (name.rfind("fpSpr", 0) != 0 && name.rfind("SPR32", 0) != 0) return false;
  result = tabExitResult(ui::isShiftDown());
  return true;
}

int Nx_Spread::tabExit(const ui::KeyEvent& key) {
  if (!attached_ || key.key != ui::VK_TAB) return kTabStays;
  return tabExitResult(key.shift);
}

// --- notifications and size -------------------------------------------------------------

void Nx_Spread::onNotify(int code) {
  if (code != ui::SPN_CHECKCLICK && code != ui::SPN_BUTTONCLICK) return;
  if (!attached_ || checkColumn_ <= 0 || linkedColumn_ <= 0) return;
  int col = 0, row = 0;
  if (!model().getActiveCell(col, row) || col != checkColumn_) return;
  applyCheckLink(row);
  model().setActiveCell(linkedColumn_, row);
}

void Nx_Spread::onSize(ui::Size client) {
  SpreadControl::onSize(client);
  runSizeAction();
}
