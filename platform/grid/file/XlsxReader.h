#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/SheetContent.h"
#include "platform/grid/file/ZipDirectory.h"

namespace grid {

// Reads the first sheet of an .xlsx workbook whose zip directory has been
// read and checked against the size limit: each part it needs (workbook,
// relationships, shared strings, styles, the sheet) is inflated whole and
// scanned once, the cells going straight into `out`. The other XML parts are
// checked to be well-formed. False with the reason, naming the part but not
// the file, when a part is missing, damaged or malformed, or the sheet is
// past the grid's limits; `out` then holds a partial sheet to be dropped.
bool readXlsx(std::string_view bytes, const std::vector<ZipEntry>& entries, const std::string& name,
              SheetContent& out, std::vector<std::string>& warnings, std::string& error);

}  // namespace grid
