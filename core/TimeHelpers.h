#pragma once
#include <chrono>

#include "core/Nx_String.h"
#include "core/dcm_export.h"

using Nx_Time = std::chrono::system_clock::time_point;

DCM_API Nx_Time getCurrentTime();

// Modification time of a file or folder.
DCM_API bool ObjectExportGetFileTime(const Nx_String& path, Nx_Time& modified,
                                     Nx_String* error = nullptr);

// Local time as text with strftime's %d %m %Y %y %H %M %S %B %b %A %a %%,
// month and day names in English whatever the locale:
// formatTime(t, "%d %B, %Y (%H:%M)") gives "03 March, 2024 (14:05)".
// Other conversions are copied as they are.
DCM_API Nx_String formatTime(const Nx_Time& time, const char* format);
