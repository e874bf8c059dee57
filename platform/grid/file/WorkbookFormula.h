#pragma once
#include <string>
#include <string_view>

#include "platform/grid/grid_export.h"

namespace grid {

// Workbook formulas in the grid's syntax (without "="). Office Open XML
// writes the desktop syntax with "_xlfn." before newer function names;
// OpenDocument writes "of:=" and references in brackets ([.A1], [.A1:.B3],
// [$Sheet2.A1]) with ";" between arguments. References to other sheets come
// out as Sheet!A1, which the grid does not evaluate: the cell then reports it.
GRID_API std::string formulaFromXlsx(std::string_view text);
GRID_API std::string formulaFromOdf(std::string_view text);

}  // namespace grid
