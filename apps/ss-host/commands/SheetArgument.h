#pragma once
#include <filesystem>
#include <string>

#include "core/Nx_String.h"

// A standards sheet named on the command line.
namespace sheetarg {

// The sheet that a word names: an existing file (made absolute) or a name in
// the library's "Connection Standards" folder, with or without ".kvs".
// False with the reason when it names no sheet.
bool resolveSheet(const std::string& given, std::string& sheet, std::string& error);

// The file of a sheet as the engine finds it (UTF-8 in, as typed).
std::filesystem::path sheetFile(const std::string& sheet);

// Whether a macro's attachment (Windows-1252) and a resolved sheet are the
// same sheet: the same name without case, or the same file.
bool sameSheet(const Nx_String& attached, const std::string& sheet);

}  // namespace sheetarg
