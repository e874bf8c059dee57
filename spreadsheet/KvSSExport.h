#pragma once
#include "core/Nx_String.h"

class Nx_Spread;

// Writes a sheet as CSV, .xlsx or PDF by the file's extension, laid out on
// paper by the settings document the sheet carries (margins, header and
// footer, print switches, document variables). False with the reason, which
// names the file, when the extension is not one of these or the write fails;
// the previous file is then left whole.
bool exportSpread(const Nx_Spread& sheet, const Nx_String& path, Nx_String& error);
