#pragma once
#include "platform/grid/SheetContent.h"
#include "platform/ui/SpreadControl.h"

// The boolean options of the spreadsheet control that the module gives a
// meaning to, beside automatic recalculation (grid::kOptionAutoCalc),
// repainting (grid::kOptionRedraw) and the changed mark
// (ui::kSpreadOptionChanged). Every other option number is set by number
// only, where a set-up sequence prescribes it.

// The active cell stays in edit mode; F8 toggles it, find/replace needs it.
inline constexpr int kOptionEditMode = 13;
// Typing into a cell starts editing it; find/replace turns it off.
inline constexpr int kOptionAutoEdit = 20;
// Size action 1 lets the header column share the width with the data columns.
inline constexpr int kOptionHeaderShares = 4;
