// Nx_Spread: typed cells, blocks and columns.
#include "common/KvBitmap.h"
#include "common/ModuleBitmaps.h"
#include "core/FileHelpers.h"
#include "platform/ui/Resources.h"
#include "spreadsheet/ImageFileSize.h"
#include "spreadsheet/Nx_Spread.h"

namespace {
constexpr unsigned kNumberStyle = 0x10100000;
constexpr unsigned kNumberSeparatorStyle = 0x10400000;
constexpr double kNumberLimit = 99999999999999.0;
constexpr unsigned kHeaderStaticStyle = 140;
constexpr unsigned kComboStyle = 0x100000;
constexpr unsigned kComboEditableStyle = 0x100002;
constexpr unsigned kCheckStyle = 0x300;
constexpr unsigned kPictureStyle = 0x24;
constexpr unsigned kIconHandleStyle = 0x211004;
constexpr unsigned kBitmapHandleStyle = 0x210024;
// Border types are side masks: 1 left, 2 right, 4 top, 8 bottom, 16 all round.
constexpr std::uint32_t kCheckFrameType = 2;
constexpr std::uint32_t kPictureFrameType = 0x12;
constexpr std::uint32_t kFrameStyle = 6;
constexpr std::uint32_t kSysGrayText = 0x8000000B;

ui::SpreadPictures::Handle bitmapPicture(int resourceId) {
  KvBitmap bitmap;
  if (!bitmap.loadResource(resourceId)) return {};
  return ui::SpreadPictures::Handle(
      ui::SpreadPicture{bitmap.width(), bitmap.height(), bitmap.pixels(), {}});
}

std::string joinItems(const Nx_StringArray& items) {
  std::string list;
  for (int i = 0; i < items.length(); ++i) {
    if (i) list += '\t';
    list += items[i].str();
  }
  return list;
}
}  // namespace

bool Nx_Spread::setEditCells(const int& col1, const int& row1, const int& col2, const int& row2,
                             unsigned style, int maxLength) {
  if (!hasCell(col1, row1) || !hasCell(col2, row2)) return false;
  return model().setTypeEdit({at(col1), at(row1), at(col2), at(row2)}, style, maxLength);
}

bool Nx_Spread::setEditCell(const int& col, const int& row) {
  return setEditCells(col, row, col, row, kEditStyle, kEditMaxLength);
}

bool Nx_Spread::setEditColumn(const int& col) {
  return hasCol(col) && setEditCells(col, 1, col, model().maxRows(), kEditStyle, kEditMaxLength);
}

bool Nx_Spread::setNumberCells(const int& col1, const int& row1, const int& col2, const int& row2,
                               int decimals, bool separator) {
  if (!hasCell(col1, row1) || !hasCell(col2, row2)) return false;
  return model().setTypeNumber({at(col1), at(row1), at(col2), at(row2)}, decimals, -kNumberLimit,
                               kNumberLimit, separator,
                               separator ? kNumberSeparatorStyle : kNumberStyle);
}

bool Nx_Spread::setNumberCell(const int& col, const int& row, int decimals, bool separator) {
  return setNumberCells(col, row, col, row, decimals, separator);
}

bool Nx_Spread::setNumberColumn(const int& col, int decimals, bool separator) {
  return hasCol(col) && setNumberCells(col, 1, col, model().maxRows(), decimals, separator);
}

bool Nx_Spread::setStaticCell(const int& col, const int& row, unsigned style) {
  return hasCell(col, row) &&
         model().setTypeStaticText({at(col), at(row), at(col), at(row)}, style);
}

bool Nx_Spread::setStaticColumn(const int& col, unsigned style) {
  return hasCol(col) && model().setTypeStaticText({at(col), 0, at(col), model().maxRows()}, style);
}

bool Nx_Spread::setStaticColumnHeaders() {
  if (!attached_) return false;
  int cols = model().maxCols();
  if (cols >= 1) model().setTypeStaticText({1, 0, cols, 0}, kHeaderStaticStyle);
  for (int col = 1; col <= cols; ++col) fitColumnWidth(col);
  return true;
}

bool Nx_Spread::setStaticRowHeaders() {
  if (!attached_) return false;
  int rows = model().maxRows();
  if (rows >= 1) model().setTypeStaticText({0, 1, 0, rows}, kHeaderStaticStyle);
  for (int row = 1; row <= rows; ++row) fitRowHeight(row);
  return true;
}

bool Nx_Spread::setComboCells(const int& col1, const int& row1, const int& col2, const int& row2,
                              const Nx_StringArray& items, bool editable) {
  if (!hasCell(col1, row1) || !hasCell(col2, row2)) return false;
  return model().setTypeComboBox({at(col1), at(row1), at(col2), at(row2)},
                                 editable ? kComboEditableStyle : kComboStyle, joinItems(items),
                                 editable);
}

bool Nx_Spread::setComboColumn(const int& col, const Nx_StringArray& items, bool editable) {
  return hasCol(col) && setComboCells(col, 1, col, model().maxRows(), items, editable);
}

bool Nx_Spread::loadCheckPictures() {
  if (!checkedPicture_) checkedPicture_ = bitmapPicture(kCheckedBitmapId);
  if (!uncheckedPicture_) uncheckedPicture_ = bitmapPicture(kUncheckedBitmapId);
  return checkedPicture_ && uncheckedPicture_;
}

bool Nx_Spread::setCheckType(const grid::Area& block) {
  loadCheckPictures();
  return model().setTypeCheckBox(block, kCheckStyle, "", checkedPicture_.id(),
                                 uncheckedPicture_.id());
}

bool Nx_Spread::setCheckColumn(const int& col, bool framed, bool spanHeader) {
  if (!hasCol(col) || col < 1) return false;
  grid::Area block{col, 1, col, model().maxRows()};
  if (!setCheckType(block)) return false;
  if (framed) model().setBorder(block, kCheckFrameType, kFrameStyle, grid::kDefaultColor);
  if (spanHeader) model().addCellSpan(col, 0, 2, 1);
  return true;
}

bool Nx_Spread::setCheckCell(const int& col, const int& row) {
  if (!hasCell(col, row)) return false;
  grid::Area cell{at(col), at(row), at(col), at(row)};
  if (!setCheckType(cell)) return false;
  model().setBorder(cell, kCheckFrameType, kFrameStyle, grid::kDefaultColor);
  return true;
}

bool Nx_Spread::setButtonColumn(const int& col, const Nx_String& caption, bool spanHeader) {
  if (!hasCol(col) || col < 1) return false;
  if (!model().setTypeButton({col, 1, col, model().maxRows()}, 0, caption)) return false;
  if (spanHeader && col > 1) model().addCellSpan(col - 1, 0, 2, 1);
  return true;
}

bool Nx_Spread::setButtonCell(const int& col, const int& row, const Nx_String& caption) {
  return hasCell(col, row) &&
         model().setTypeButton({at(col), at(row), at(col), at(row)}, 0, caption);
}

bool Nx_Spread::setPictureCell(const Nx_String& file, const int& col, const int& row,
                               int& rowsUsed) {
  if (!hasCell(col, row) || col < 1 || row < 1 || !fileExists(file)) return false;
  grid::Sheet& s = model();
  int width = 0, height = 0;
  if (readImageFileSize(file.str(), width, height)) s.setRowHeight(row, height);
  if (s.maxCols() > 1) s.addCellSpan(col, row, s.maxCols(), 1);
  if (col > 1)
    s.setBorder({col - 1, row, col - 1, row}, kPictureFrameType, kFrameStyle, kSysGrayText);
  s.setTypePicture({col, row, col, row}, kPictureStyle, file);
  rowsUsed = 0;
  return true;
}

bool Nx_Spread::setResourcePictureCell(const int& col, const int& row, int resourceId, bool icon) {
  if (!hasCell(col, row)) return false;
  // One picture per resource, shared by every cell that shows it.
  ui::SpreadPictures::Handle& picture = resourcePictures_[resourceId * 2 + (icon ? 1 : 0)];
  if (!picture && icon) {
    if (!ui::Resources::iconName(resourceId).empty())
      picture = ui::SpreadPictures::Handle(ui::SpreadPicture{0, 0, {}, resourceId});
  } else if (!picture) {
    picture = bitmapPicture(resourceId);
  }
  if (!picture) return false;
  std::uint64_t handle = picture.id();
  return model().setTypePictureHandle({at(col), at(row), at(col), at(row)},
                                      icon ? kIconHandleStyle : kBitmapHandleStyle, handle);
}
