#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/SheetContent.h"

namespace grid {

// Workbooks unpack to at most this much; more is taken for a zip bomb.
inline constexpr std::uint64_t kMaxUnpackedBytes = std::uint64_t{256} << 20;

// The first sheet of an .xlsx or .ods workbook (a zip archive, recognised by
// its parts). A damaged workbook is refused with the file and the part
// named: a truncated archive, a missing part, malformed XML, a part or a
// whole that unpacks past kMaxUnpackedBytes. What loads but the grid cannot
// hold (other sheets, array formulas, dates, number formats, functions the
// engine lacks) is reported in `warnings`, one line per cell.
bool readWorkbook(std::string_view bytes, const std::string& name, SheetContent& out,
                  std::string& error, std::vector<std::string>* warnings);

}  // namespace grid
