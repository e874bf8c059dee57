#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// Searching folders for files by a name pattern: "*" matches any run of
// bytes, "?" one byte; ASCII letters match without case, as the product's
// file names always have. Results are full paths with "/" separators, in
// byte order of the path, files only (folders are not listed).

DCM_API bool matchesPattern(const Nx_String& name, const Nx_String& pattern);

// The matching files directly in the folder. A missing folder is a failure.
DCM_API bool ObjectExportFindFiles(const Nx_String& folder, const Nx_String& pattern,
                                   Nx_StringArray& paths, Nx_String* error = nullptr);
// The matching files in the folder and all its sub-folders; unreadable
// sub-folders are passed over, symbolic links to folders are not followed.
DCM_API bool ObjectExportFindFilesRecursive(const Nx_String& folder, const Nx_String& pattern,
                                            Nx_StringArray& paths, Nx_String* error = nullptr);
