#pragma once
#include <string>
#include <string_view>

#include "platform/grid/Value.h"
#include "platform/grid/grid_export.h"

namespace grid {

// A value written with a number format code as TEXT takes it: up to four
// sections (positive;negative;zero;text), digit placeholders 0 # ?, "." and
// "," (thousands, or thousands scaling at the end), %, scientific E+00,
// quoted and escaped literals, "General", and dates and times (y m d h s,
// AM/PM, [h] [m] [s] for elapsed time). Colours and conditions in brackets
// are ignored. False for a date format given a number outside the dates.
// The value is a number or text; errors are the caller's to handle.
GRID_API bool formatValue(const Value& v, std::string_view format, std::string& result);

}  // namespace grid
