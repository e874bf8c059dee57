#pragma once
#include <string>
#include <string_view>

#include "platform/grid/Sheet.h"
#include "platform/grid/grid_export.h"

namespace grid {

// The used cells' values as CSV (RFC 4180: commas, CRLF, quotes doubled),
// UTF-8, one line per row, as many fields on each line as the widest row.
// Numbers are written in the general format with every digit, never with the
// display's separators. A text that a spreadsheet would take for a formula
// (it starts with "=", "+", "-" or "@" and is not a number) gets a leading
// apostrophe, so opening the file runs nothing.
std::string csvText(const Sheet& sheet);

// One field of a CSV line: as it is, or in quotes with its quotes doubled
// when it holds a comma, a quote or a line break.
GRID_API void appendCsvField(std::string& out, std::string_view text);

}  // namespace grid
