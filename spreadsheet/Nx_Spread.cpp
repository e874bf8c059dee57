// Nx_Spread: lifecycle, appearance, size and fonts.
#include "spreadsheet/Nx_Spread.h"

#include <algorithm>

#include "spreadsheet/FindReplaceDlg.h"
#include "spreadsheet/Nx_SpreadPopupMenu.h"
#include "spreadsheet/SheetOptions.h"

namespace {
// Colours as the control keeps them: 0x00BBGGRR, or 0x80000000 | a system colour index.
constexpr std::uint32_t kSysButtonFace = 0x8000000F;
constexpr std::uint32_t kSysGrayText = 0x8000000B;
constexpr std::uint32_t kSelectionBack = 0x6A240A;
constexpr std::uint32_t kSelectionText = 0xFFFFFF;
constexpr std::uint32_t kLockedBack = 0xE6E6E6;
}  // namespace

Nx_Spread::Nx_Spread() = default;

Nx_Spread::~Nx_Spread() {
  // The widget shows the pictures and the sheet that go with this object.
  destroyPeers();
}

bool Nx_Spread::attachToItem(ui::Window* parent, int itemId, bool keepRect) {
  (void)keepRect;
  if (!parent) return false;
  ui::Window* item = parent->findChild(itemId);
  if (!item || !item->parent()) return false;
  ui::Window* container = item->parent();
  ui::Rect rect = item->rect();
  if (findDialog_) findDialog_->destroyWindow();
  if (item != this) container->destroyChild(item);
  resetSheet();
  setId(itemId);
  setRect(rect);
  show(true);
  enable(true);
  if (item != this) container->attachChild(*this);
  model().setMaxCols(0);
  model().setMaxRows(0);
  model().settings().appearance = 1;
  parentWindow_ = parent;
  itemId_ = itemId;
  attached_ = true;
  return true;
}

bool Nx_Spread::initAppearance(int enterMode) {
  if (!attached_) return false;
  grid::Sheet& s = model();
  grid::SheetSettings& set = s.settings();
  // The options in the order of the module's grid look; the ones without a
  // name have no meaning here but are kept as the look sets them (21 thrice).
  for (int option : {grid::kOptionRedraw, 12, grid::kOptionAutoCalc}) s.setBool(option, false);
  for (auto [option, on] : {std::pair{21, true},
                            {26, false},
                            {34, true},
                            {32, true},
                            {18, false},
                            {21, true},
                            {22, true},
                            {21, true}})
    s.setBool(option, on);
  set.grayBackground = kSysButtonFace;
  set.grayForeground = kSysGrayText;
  set.cursorType = 1;
  set.cursor = -1;
  set.selBackground = kSelectionBack;
  set.selForeground = kSelectionText;
  for (int option : {11, 3, 4, 18}) s.setBool(option, true);
  set.lockBackground = kLockedBack;
  if (enterMode == 1) {
    s.setBool(kOptionEditMode, true);
    s.setBool(10, false);
    set.editEnterAction = 0;
  } else if (enterMode == 0) {
    s.setBool(kOptionEditMode, false);
    s.setBool(10, true);
    set.editEnterAction = 5;
  }
  s.setBool(grid::kOptionRedraw, true);
  return true;
}

// --- size --------------------------------------------------------------------------

int Nx_Spread::getMaxRows() const {
  return attached_ ? model().maxRows() : -1;
}

int Nx_Spread::getMaxCols() const {
  return attached_ ? model().maxCols() : -1;
}

bool Nx_Spread::setMaxRows(const int& rows, bool) {
  return resizeRows(rows, true);
}

bool Nx_Spread::setMaxRowsEmpty(const int& rows) {
  return resizeRows(rows, false);
}

bool Nx_Spread::resizeRows(int rows, bool copyLastRow) {
  if (!attached_) return false;
  grid::Sheet& s = model();
  int old = s.maxRows(), cols = s.maxCols();
  if (!s.setMaxRows(rows)) return false;
  if (old >= rows) return true;
  if (copyLastRow && old > 0)
    for (int row = old + 1; row <= rows; ++row) copyRowCells(old, row);
  if (old > 0)
    setFontBlock({0, old, 0, rows}, true, false);
  else
    applyDefaultFonts();
  if (cols >= 1) setFontBlock({1, std::max(old, 1), cols, rows}, false, false);
  return true;
}

bool Nx_Spread::setMaxCols(const int& cols, bool copyFormat) {
  if (!attached_) return false;
  grid::Sheet& s = model();
  int old = s.maxCols(), rows = s.maxRows();
  if (!s.setMaxCols(cols)) return false;
  if (old >= cols) return true;
  if (copyFormat && old > 0)
    for (int col = old + 1; col <= cols; ++col) copyColumnCells(old, col);
  if (old > 0)
    setFontBlock({old, 0, cols, 0}, true, false);
  else
    applyDefaultFonts();
  if (rows >= 1) setFontBlock({std::max(old, 1), 1, cols, rows}, false, false);
  return true;
}

// --- fonts ---------------------------------------------------------------------------

bool Nx_Spread::setFontBlock(const grid::Area& block, bool bold, bool textTip) {
  grid::Font font{fontName_.str(), fontHeight_, bold};
  if (!model().setFont(block, font)) return false;
  if (textTip) model().settings().textTipFont = font;
  return true;
}

bool Nx_Spread::applyDefaultFonts() {
  if (!attached_) return false;
  int cols = model().maxCols(), rows = model().maxRows();
  if (cols >= 1) setFontBlock({1, 0, cols, 0}, true, true);
  if (rows >= 1) setFontBlock({0, 1, 0, rows}, true, true);
  return true;
}

bool Nx_Spread::setRowFont(const int& row, bool withHeader) {
  if (!attached_ || row < 1 || row > model().maxRows()) return false;
  if (model().maxCols() >= 1) setFontBlock({1, row, model().maxCols(), row}, false, false);
  if (withHeader) setFontBlock({0, row, 0, row}, true, false);
  return true;
}

bool Nx_Spread::setColumnFont(const int& col, bool withHeader) {
  if (!attached_ || col < 1 || col > model().maxCols()) return false;
  if (model().maxRows() >= 1) setFontBlock({col, 1, col, model().maxRows()}, false, false);
  if (withHeader) setFontBlock({col, 0, col, 0}, true, false);
  return true;
}
