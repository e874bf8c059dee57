#pragma once
#include <vector>

#include "platform/grid/CellAddress.h"
#include "platform/grid/formula/CompiledFormula.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Appends the cells and blocks the program names, in program order. True
// when that is all it reads: false when it calls a volatile function (which
// reads cells it does not name) or a custom function (which may read or
// write anything through the sheet's owner).
GRID_API bool namedReads(const CompiledFormula& formula, std::vector<CellPos>& cells,
                         std::vector<Area>& areas);

}  // namespace grid
