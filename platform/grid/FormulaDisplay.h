#pragma once
#include <string>

#include "platform/grid/Sheet.h"
#include "platform/grid/grid_export.h"

namespace grid {

// The formula of a cell (without "=") as a window shows it: in the reference
// style of the sheet's settings (0 as written, 1 A1, 2 R1C1), relative to
// the cell. What is stored and saved stays as written.
GRID_API std::string displayFormula(const Sheet& sheet, int col, int row);

// Sets the reference style of the sheet's settings (0 to 2; false for any
// other) and has its view show the formulas anew.
GRID_API bool setRefStyle(Sheet& sheet, int style);

}  // namespace grid
