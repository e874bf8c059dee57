#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/file/ZipDirectory.h"

namespace grid {

// Cells the workbook reader passes over without a word: inline texts and
// error values of .xlsx sheets, logical values of .ods tables. One warning
// per kind found in the sheet that is read (the first), so a load never
// drops cells silently.
std::vector<std::string> unreadCellWarnings(std::string_view bytes,
                                            const std::vector<ZipEntry>& entries, bool ods,
                                            const std::string& name);

}  // namespace grid
