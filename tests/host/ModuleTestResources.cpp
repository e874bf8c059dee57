#include "tests/host/ModuleTestResources.h"

#include "host/KvResourceScope.h"
#include "platform/ui/Resources.h"

// The module's resource switcher, as the library entry keeps it.
KvTempResourceOverride& moduleResourceOverride() {
  static KvTempResourceOverride override;
  return override;
}

void registerModuleTemplates() {
  static const bool done = [] {
    ui::Resources::addTemplateFolder("SS", std::string(SS_SOURCE_DIR) + "/resources/dialogs");
    moduleResourceOverride().SaveDefaultResource("SS");
    return true;
  }();
  (void)done;
}
