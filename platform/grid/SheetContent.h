#pragma once
#include <bitset>
#include <optional>
#include <vector>

#include "platform/grid/CellAddress.h"
#include "platform/grid/CellFormat.h"
#include "platform/grid/CellStore.h"
#include "platform/grid/Limits.h"
#include "platform/grid/SheetSettings.h"
#include "platform/grid/SpanTable.h"

namespace grid {

inline constexpr int kOptionAutoCalc = 7;
inline constexpr int kOptionRedraw = 8;

// Everything a sheet holds, as one value that a file load builds aside and
// swaps in whole, so a failed load leaves the sheet as it was.
struct SheetContent {
  int maxCols = 0;
  int maxRows = 0;
  CellStore cells;
  FormatTable formats;
  SpanTable spans;
  std::vector<double> colWidths;   // in characters; below 0: the default; [0] the header column
  std::vector<double> rowHeights;  // in pixels; below 0: the default; [0] the header row
  std::bitset<kMaxOptions> options = defaultOptions();
  SheetSettings settings;
  std::optional<CellPos> activeCell;
  std::optional<Area> selection;
  bool editMode = false;
  int editSelStart = 0;
  int editSelEnd = 0;

  static std::bitset<kMaxOptions> defaultOptions() {
    std::bitset<kMaxOptions> o;
    o.set(kOptionRedraw);
    return o;
  }
  const CellFormat& formatAt(int col, int row) const {
    const Cell* c = cells.find(col, row);
    return formats.at(c ? c->format : 0);
  }
};

}  // namespace grid
