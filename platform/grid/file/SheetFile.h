#pragma once
#include <string>
#include <string_view>

#include "platform/grid/SheetContent.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Sheet files are recognised by content: text whose first non-blank
// character is "{" is the native format, anything else is read as CSV or
// TSV. Errors name the file and the line or cell at fault; `out` is only
// complete when the call returns true.
GRID_API bool loadSheetFile(const std::string& path, SheetContent& out, std::string& error);
GRID_API bool readSheetText(std::string_view text, const std::string& name, SheetContent& out,
                            std::string& error);
// Always the native format, written atomically.
GRID_API bool saveSheetFile(const std::string& path, const SheetContent& content, bool dataOnly,
                            std::string& error);
GRID_API std::string writeSheetText(const SheetContent& content, bool dataOnly);

}  // namespace grid
