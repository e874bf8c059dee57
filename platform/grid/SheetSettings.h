#pragma once
#include <cstdint>

#include "platform/grid/CellFormat.h"

namespace grid {

// Settings of the control window that the sheet keeps and saves for its
// backend; the sheet itself gives them no meaning.
struct SheetSettings {
  Font defaultFont{"Tahoma", 13};
  std::uint32_t gridType = 0;
  std::uint32_t gridColor = 0xC0C0C0;
  std::uint32_t lockBackground = kDefaultColor, lockForeground = kDefaultColor;
  std::uint32_t selBackground = kDefaultColor, selForeground = kDefaultColor;
  std::uint32_t grayBackground = kDefaultColor, grayForeground = kDefaultColor;
  int appearance = 0;
  int refStyle = 0;  // 0 default, 1 A1, 2 R1C1: formulas accept both styles regardless
  int editEnterAction = 0;
  int cursorType = 0;
  int cursor = -1;
  int textTipStatus = 0;
  int textTipDelay = 0;
  Font textTipFont;
  int autoSizeVisibleCols = 0;
  int autoSizeVisibleRows = 0;
  bool cellNoteIndicator = true;
  friend bool operator==(const SheetSettings&, const SheetSettings&) = default;
};

}  // namespace grid
