#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/grid/CellFormat.h"
#include "platform/grid/Sheet.h"

namespace grid {

// The data cells an export writes: columns 1..cols, rows 1..rows, the
// smallest block that holds every cell with contents, a visible format
// (colour, border) or a span. Both 0 for a sheet with nothing to show.
struct UsedRange {
  int cols = 0;
  int rows = 0;
  bool empty() const { return cols == 0 || rows == 0; }
};
UsedRange usedRange(const Sheet& sheet);

// The number format of a Number cell ("0.00", "#,##0"); empty for other kinds.
std::string numberFormatCode(const CellType& type);

// 0xRRGGBB of an explicit sheet colour (stored 0x00BBGGRR); none for the
// default colour and for system colours, which have no fixed value.
std::optional<std::uint32_t> rgbOf(std::uint32_t sheetColour);

// Side mask of a border (1 left, 2 right, 4 top, 8 bottom), "all round" resolved.
inline unsigned borderSides(const Border& b) {
  return b.type & 0x10 ? 0x0Fu : b.type & 0x0Fu;
}

// The caption of a column or row header: its own text when the header cell
// has one, the letters or the number otherwise. UTF-8.
std::string colCaption(const Sheet& sheet, int col);
std::string rowCaption(const Sheet& sheet, int row);

}  // namespace grid
