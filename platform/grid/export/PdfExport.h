#pragma once
#include <string>

#include "platform/grid/PrintLayout.h"
#include "platform/grid/Sheet.h"

namespace grid {

// The used cells as PDF pages laid out by `layout` (PagePlan): the cells'
// display texts in their fonts, colours and borders, spans drawn whole,
// optional grid lines, header row and column and a border round the grid,
// and the page header and footer on every page. Texts are Windows-1252, as
// the sheet's. False with the reason when the drawing fails.
bool renderPdf(const Sheet& sheet, const PrintLayout& layout, std::string& pdf, std::string& error);

}  // namespace grid
