#include "common/StandardsPaths.h"

#include "core/FileHelpers.h"
#include "core/Nx_Settings.h"

Nx_String standardsFolder() {
  return gSettings.libDir + "Connection Standards/";
}

Nx_String standardsSheetPath(const Nx_String& name) {
  if (!name.isEmpty() && fileExists(name)) return name;
  return standardsFolder() + name + ".kvs";
}
