#include "spreadsheet/KvSSExport.h"

#include "platform/base/Cp1252.h"
#include "platform/grid/export/SheetExport.h"
#include "spreadsheet/KvSSDocSettings.h"
#include "spreadsheet/Nx_Spread.h"

bool exportSpread(const Nx_Spread& sheet, const Nx_String& path, Nx_String& error) {
  const grid::Sheet* model = sheet.sheet();
  if (!model) {
    error = path + ": there is no sheet to export";
    return false;
  }
  const std::string native = base::cp1252ToUtf8(path.str());
  if (!grid::exportFormatFor(native)) {
    error = path + ": exports are .csv, .xlsx or .pdf files";
    return false;
  }
  KvSSDocSettings settings;
  settings.readFromSheet(sheet);
  std::string why;
  if (grid::exportSheet(*model, native, settings.printLayout(), why)) return true;
  error = Nx_String(base::utf8ToCp1252(why));
  return false;
}
