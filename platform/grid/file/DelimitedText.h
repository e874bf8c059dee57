#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/SheetContent.h"
#include "platform/grid/grid_export.h"

namespace grid {

// CSV or TSV: fields separated by tabs, semicolons or commas (whichever
// the first line shows: a tab wins, then the more frequent of ";" and ",");
// fields may be quoted with doubled quotes inside and may then span lines.
// Row 1 is the first line; a field that begins with "=" is a formula, any
// other field is data. The sheet is sized to the content. A formula that
// does not compile loads as a #NAME? cell and adds a warning.
bool readDelimitedText(std::string_view text, const std::string& name, SheetContent& out,
                       std::string& error, std::vector<std::string>* warnings = nullptr);

// Texts this long are read in two halves side by side; the result, the
// warnings and the errors are those of one pass.
inline constexpr std::size_t kReadInPartsFrom = std::size_t{1} << 20;

// As above, halving texts from `inPartsFrom` bytes on. With `handedOver`
// the caller owns the text's memory and reads it no more: its pages are
// given back to the system as they are read.
GRID_API bool readDelimitedText(std::string_view text, const std::string& name, SheetContent& out,
                                std::string& error, std::vector<std::string>* warnings,
                                std::size_t inPartsFrom, bool handedOver = false);

}  // namespace grid
