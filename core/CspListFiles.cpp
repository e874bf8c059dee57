#include "core/CspListFiles.h"

#include "core/ArrayHelpers.h"
#include "core/FileHelpers.h"
#include "core/FileSearch.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"

Nx_String cspGroupFolder(const Nx_String& group) {
  return gSettings.libDir + "Cutting Stock/" + group + "/";
}

bool readCspListFile(const Nx_String& path, Nx_Array<Nx_StringArray>& rows, Nx_String* error) {
  rows.removeAll();
  Nx_StringArray lines;
  if (!ObjectExportReadFile(path, lines, error)) return false;
  arrToArrArr(lines, rows, kCspSeparator);
  return true;
}

bool writeCspListFile(const Nx_String& path, const Nx_Array<Nx_StringArray>& rows,
                      Nx_String* error) {
  Nx_StringArray lines;
  arrArrToArr(rows, lines, kCspSeparator);
  return ObjectExportWriteFile(path, lines, error);
}

bool newestCspFile(const Nx_String& folder, const Nx_String& extension, Nx_String& path,
                   Nx_Time* modified) {
  Nx_StringArray files;
  if (!ObjectExportFindFiles(folder, "*." + extension, files)) return false;
  bool found = false;
  Nx_Time best{};
  for (const Nx_String& file : files) {
    Nx_Time time;
    if (!ObjectExportGetFileTime(file, time)) continue;
    if (found && !(time > best)) continue;
    found = true;
    best = time;
    path = file;
  }
  if (found && modified) *modified = best;
  return found;
}

Nx_String nextStockFileName(const Nx_String& folder, const Nx_String& extension) {
  Nx_StringArray files;
  int largest = 0;
  Nx_String suffix = "." + extension;
  if (ObjectExportFindFiles(folder, "Stock*" + suffix, files)) {
    for (const Nx_String& file : files) {
      Nx_String name = getFileName(file);
      int n = name.mid(5, name.length() - 5 - suffix.length()).toInt();
      if (n > largest) largest = n;
    }
  }
  return ensureEndSlash(folder) + "Stock" + Nx_String(largest + 1) + suffix;
}

Nx_String withCspExtension(const Nx_String& path, const Nx_String& extension) {
  Nx_String suffix = ("." + extension).lower();
  return path.lower().endsWith(suffix, true) ? path : path + "." + extension;
}
