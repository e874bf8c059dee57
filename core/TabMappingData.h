#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "platform/arx/dbid.h"

class KvSSMapping;

// The standards attached to one macro, as the standards page of the macro
// settings dialog edits them: per entry a sheet name (relative to the
// standards folder, no extension) and an object name ("Module." and a module
// group, or the key of the sheet's mapping file line; empty until saved).
class DCM_API TabMappingData {
 public:
  static constexpr const char* kModulePrefix = "Module.";

  TabMappingData();
  TabMappingData(const TabMappingData& other);
  TabMappingData& operator=(const TabMappingData& other);
  virtual ~TabMappingData();

  // The entries and the module groups of the macro in the working drawing;
  // false when there is no such macro.
  bool initFromMacro(AcDbObjectId macro);
  // Stores the entries as the macro's standards; false without the macro.
  bool storeToMacro() const;
  // The object name held for the sheet at that entry: the entry's own when
  // it names that sheet, else the first entry of the sheet; empty when none.
  Nx_String getMapping(const Nx_String& sheetName, int index) const;
  int count() const { return sheetNames.length(); }
  static bool isModuleGroup(const Nx_String& objectName);

  Nx_StringArray sheetNames;
  Nx_StringArray objectNames;
  Nx_StringArray groupNames;  // the module groups a sheet can apply to
  // Every value the macro offers (the page's combo entries); borrowed.
  KvSSMapping* validVars = nullptr;
  AcDbObjectId macroId;
};
