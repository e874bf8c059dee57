#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/file/ZipDirectory.h"

namespace grid {

// Cells the workbook library passes over without a word in an .ods file:
// logical values of the first table, counted in one warning, so a load
// never drops cells silently.
void checkUnreadCells(std::string_view bytes, const std::vector<ZipEntry>& entries,
                      const std::string& name, std::vector<std::string>& warnings);

}  // namespace grid
