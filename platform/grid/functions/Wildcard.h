#pragma once
#include <string_view>

#include "platform/grid/grid_export.h"

namespace grid {

// Spreadsheet wildcards: "?" any one character, "*" any run, "~" takes the
// next character literally. Letters compare without case.
GRID_API bool hasWildcards(std::string_view pattern);
GRID_API bool wildcardMatch(std::string_view pattern, std::string_view text);
// First position (0-based) at or after start where the pattern matches a
// part of text; -1 when none.
GRID_API long wildcardSearch(std::string_view pattern, std::string_view text, std::size_t start);

}  // namespace grid
