#pragma once
#include <string_view>

#include "platform/grid/CellFormat.h"
#include "platform/grid/Value.h"
#include "platform/grid/grid_export.h"

namespace grid {

// What text written into a cell of a given type becomes, or false when the
// cell refuses it:
// - General and CheckBox cells: text that reads as a number is a number
//   (the text is kept as the cell's data); any other text is text.
// - Number cells: the text must read as a number (thousands commas
//   allowed); it is rounded to the cell's decimals, halves away from zero,
//   and kept within its minimum and maximum; the data becomes the number's
//   general form. Empty text empties the cell.
// - Edit cells refuse text longer than their maximum length.
// - Static text, button, combo box and picture cells hold text as it is.
GRID_API bool interpretInput(const CellType& type, std::string_view text, Value& out);

}  // namespace grid
