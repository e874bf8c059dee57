#include "core/Nx_Settings.h"

Nx_Settings gSettings;

void Nx_Settings::setLibDir(const Nx_String& folder) {
  libDir = folder;
  if (!libDir.isEmpty() && !libDir.endsWith("/", true)) libDir += "/";
}
