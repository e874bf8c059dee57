#pragma once
#include <optional>
#include <string>

#include "platform/grid/PrintLayout.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/grid_export.h"

namespace grid {

enum class ExportFormat { Csv, Xlsx, Pdf };

// The format a file name asks for by its extension (any case): .csv, .xlsx, .pdf.
GRID_API std::optional<ExportFormat> exportFormatFor(const std::string& path);

// Writes the sheet's used cells in the format of the path's extension: CSV
// (values), .xlsx (values, formulas, formats, widths, merged cells) or PDF
// (pages as `layout` lays them out; the other formats ignore it). The file is
// replaced atomically, so a failed export leaves what was there. On failure
// `error` names the file and what failed.
GRID_API bool exportSheet(const Sheet& sheet, const std::string& path, const PrintLayout& layout,
                          std::string& error);

}  // namespace grid
