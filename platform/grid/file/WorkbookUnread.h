#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/SheetContent.h"
#include "platform/grid/file/ZipDirectory.h"

namespace grid {

// Cells the workbook library passes over without a word: inline texts and
// error values of .xlsx sheets, logical values of .ods tables (one warning
// per kind found in the sheet that is read, the first), so a load never
// drops cells silently. Numbers of .xlsx cells past the range of a double,
// which the library reads as their mantissa, read #NUM! with a warning
// each, as the reader's own numbers out of range do.
void checkUnreadCells(std::string_view bytes, const std::vector<ZipEntry>& entries, bool ods,
                      const std::string& name, SheetContent& out,
                      std::vector<std::string>& warnings);

}  // namespace grid
