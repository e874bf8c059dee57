#include "apps/ss-host/listing/MacroListing.h"

#include <cstring>

#include "apps/ss-host/HostText.h"
#include "core/Nx_StringArray.h"
#include "core/TabMappingData.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "platform/base/Cp1252.h"

namespace {
const int kPrefixLength = static_cast<int>(std::strlen(TabMappingData::kModulePrefix));

using hosttext::utf8;

void describe(const Nx_DbMacro& db, MacroListRow& row) {
  const Nx_Macro& macro = *db.getMacro();
  row.name = utf8(macro.name());
  row.kind = utf8(macro.kind());
  row.modules.clear();
  for (int i = 0; i < macro.moduleCount(); ++i)
    row.modules += (i ? ", " : "") + utf8(macro.module(i)->name());
  Nx_StringArray sheets, objects;
  macro.getStandards(sheets, objects);
  row.standards.clear();
  for (int i = 0; i < sheets.length(); ++i) {
    row.standards += (i ? ", " : "") + utf8(sheets[i]);
    if (objects.isValid(i) && TabMappingData::isModuleGroup(objects[i]))
      row.standards += " (" + utf8(objects[i].mid(kPrefixLength)) + ")";
  }
}
}  // namespace

std::vector<MacroListRow> listMacros(Nx_Drawing& drawing) {
  AcArray<AcDbObjectId> ids;
  drawing.getMacroIds(ids);
  std::vector<MacroListRow> rows;
  rows.reserve(static_cast<size_t>(ids.length()));
  AcTransaction tr(drawing.database());
  for (int i = 0; i < ids.length(); ++i) {
    Nx_DbMacro* macro = nullptr;
    if (tr.getObject(macro, ids[i], AcDb::kForRead) != Acad::eOk || !macro) continue;
    MacroListRow row;
    row.id = ids[i];
    describe(*macro, row);
    rows.push_back(std::move(row));
  }
  return rows;
}

bool listMacro(Nx_Drawing& drawing, AcDbObjectId id, MacroListRow& row) {
  AcTransaction tr(drawing.database());
  Nx_DbMacro* macro = nullptr;
  if (tr.getObject(macro, id, AcDb::kForRead) != Acad::eOk || !macro) return false;
  row.id = id;
  describe(*macro, row);
  return true;
}
