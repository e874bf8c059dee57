#pragma once
#include <string>

#include "platform/grid/Sheet.h"

namespace grid {

// Writes the used cells as a one-sheet workbook to `file`: values, formulas
// with their computed results, number formats of Number cells, fonts,
// colours, borders, column widths, set row heights and spans as merged cells.
// A formula that calls a function registered by the sheet's owner is written
// as its value, since other programs do not know the function. On failure
// `error` says what failed (without the file name).
bool writeXlsxFile(const Sheet& sheet, const std::string& file, std::string& error);

}  // namespace grid
