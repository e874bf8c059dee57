#include "core/TabMappingData.h"

#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"

TabMappingData::TabMappingData() = default;
TabMappingData::TabMappingData(const TabMappingData& other) = default;
TabMappingData& TabMappingData::operator=(const TabMappingData& other) = default;
TabMappingData::~TabMappingData() = default;

namespace {
template <typename Use>
bool withMacro(AcDbObjectId id, AcDb::OpenMode mode, Use use) {
  Nx_Drawing* drawing = Nx_Drawing::working();
  if (!drawing || id.isNull()) return false;
  AcTransaction tr(drawing->database());
  Nx_DbMacro* macro = nullptr;
  if (tr.getObject(macro, id, mode) != Acad::eOk || !macro) return false;
  use(*macro);
  return true;
}
}  // namespace

bool TabMappingData::initFromMacro(AcDbObjectId macro) {
  return withMacro(macro, AcDb::kForRead, [&](Nx_DbMacro& m) {
    macroId = macro;
    m.getMacro()->getStandards(sheetNames, objectNames);
    // Both lists run index for index.
    objectNames.setLength(sheetNames.length());
    m.getMacro()->getGroupNames(groupNames);
  });
}

bool TabMappingData::storeToMacro() const {
  return withMacro(macroId, AcDb::kForWrite, [&](Nx_DbMacro& m) {
    m.getMacroWrite()->setStandards(sheetNames, objectNames);
  });
}

Nx_String TabMappingData::getMapping(const Nx_String& sheetName, int index) const {
  if (sheetNames.isValid(index) && objectNames.isValid(index) &&
      sheetNames[index].equal(sheetName, false))
    return objectNames[index];
  int first = sheetNames.find(sheetName, false);
  return objectNames.isValid(first) ? objectNames[first] : Nx_String();
}

bool TabMappingData::isModuleGroup(const Nx_String& objectName) {
  return objectName.startsWith(kModulePrefix, false);
}
