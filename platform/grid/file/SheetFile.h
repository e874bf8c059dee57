#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/SheetContent.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Sheet files are recognised by content: a zip archive is an .xlsx or .ods
// workbook (its first sheet), text whose first non-blank character is "{"
// is the native format, anything else is read as CSV or TSV. Errors name the file and the line or
// cell at fault; `out` is only complete when the call returns true. A formula that does not compile
// loads as a #NAME? cell with its text kept, and adds one warning naming
// the cell and the reason.
GRID_API bool loadSheetFile(const std::string& path, SheetContent& out, std::string& error,
                            std::vector<std::string>* warnings = nullptr);
GRID_API bool readSheetText(std::string_view text, const std::string& name, SheetContent& out,
                            std::string& error, std::vector<std::string>* warnings = nullptr);
// Always the native format, written atomically.
GRID_API bool saveSheetFile(const std::string& path, const SheetContent& content, bool dataOnly,
                            std::string& error);
GRID_API std::string writeSheetText(const SheetContent& content, bool dataOnly);

}  // namespace grid
