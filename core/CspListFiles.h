#pragma once
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/TimeHelpers.h"
#include "core/dcm_export.h"

// The files of the cutting-stock lists: per group a folder under the
// library's "Cutting Stock/", holding shop-stock lists ("shp") and purchase
// lists ("buy"); the stand-in also reads parts lists ("cut"). One row a
// line, the cells joined by the byte 0xBF, nothing quoted or escaped.

inline constexpr const char* kCspShopExtension = "shp";
inline constexpr const char* kCspBuyExtension = "buy";
inline constexpr const char* kCspPartsExtension = "cut";
inline constexpr const char* kCspSeparator = "\xBF";

// The library folder's "Cutting Stock/", then the group's name and "/".
DCM_API Nx_String cspGroupFolder(const Nx_String& group);

// The rows of a list file; false with the reason (and no rows) when the
// file cannot be read.
DCM_API bool readCspListFile(const Nx_String& path, Nx_Array<Nx_StringArray>& rows,
                             Nx_String* error = nullptr);
// Writes the rows; a failed write leaves the old file as it was.
DCM_API bool writeCspListFile(const Nx_String& path, const Nx_Array<Nx_StringArray>& rows,
                              Nx_String* error = nullptr);

// The newest "*.EXT" file of the folder: a later modification time replaces
// the best so far only when strictly later, so of equal times the first
// found wins. False when there is none.
DCM_API bool newestCspFile(const Nx_String& folder, const Nx_String& extension, Nx_String& path,
                           Nx_Time* modified = nullptr);

// "Stock" followed by one more than the largest number of the folder's
// files named "Stock" + number + "." + extension (text that is no number
// counts 0), then "." and the extension: Stock1.shp in an empty folder.
DCM_API Nx_String nextStockFileName(const Nx_String& folder, const Nx_String& extension);

// The chosen name with "." + extension appended unless it ends so (compared
// in lower case): "list" gives "list.shp", "list.SHP" stays.
DCM_API Nx_String withCspExtension(const Nx_String& path, const Nx_String& extension);
