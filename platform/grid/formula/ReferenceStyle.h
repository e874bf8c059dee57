#pragma once
#include <string>
#include <string_view>

#include "platform/grid/CellAddress.h"
#include "platform/grid/grid_export.h"

namespace grid {

// How a window shows formulas (the sheet's reference style): as written,
// every reference in A1 style, or every reference in R1C1 style.
enum class RefStyle { AsWritten = 0, A1 = 1, R1C1 = 2 };

// The formula text (without "=") with every cell reference written in the
// style, relative to the formula's cell: B2 in C3 becomes R[-1]C[-1], $B$2
// becomes R2C2, $B2 becomes R[-1]C2, and back. The rest of the text stays as
// it is; a reference that the other style cannot write (R[-5]C in row 3)
// keeps its form.
GRID_API std::string formulaInStyle(std::string_view text, CellPos host, RefStyle style);

}  // namespace grid
