#pragma once
#include <string_view>

namespace grid {

// Spreadsheet wildcards: "?" any one character, "*" any run, "~" takes the
// next character literally. Letters compare without case.
bool hasWildcards(std::string_view pattern);
bool wildcardMatch(std::string_view pattern, std::string_view text);
// First position (0-based) at or after start where the pattern matches a
// part of text; -1 when none.
long wildcardSearch(std::string_view pattern, std::string_view text, std::size_t start);

}  // namespace grid
