#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/SheetContent.h"

namespace grid {

// The native sheet file: versioned JSON, UTF-8, documented in
// docs/spreadsheet-files.md. Text held as Windows-1252 in the sheet is
// converted at this boundary only.
inline constexpr const char* kNativeFormatName = "ssgrid-sheet";
inline constexpr int kNativeFormatVersion = 1;

std::string writeNativeFormat(const SheetContent& content, bool dataOnly);
// Formulas that do not compile load as #NAME? cells; each adds a warning.
bool readNativeFormat(std::string_view text, const std::string& name, SheetContent& out,
                      std::string& error, std::vector<std::string>* warnings = nullptr);

}  // namespace grid
