#include "tests/host/ModuleTestResources.h"

#include "common/KvResourceScope.h"
#include "platform/ui/Resources.h"

void registerModuleTemplates() {
  static const bool done = [] {
    // The module's libraries register its templates when they load; read
    // them from the source folder only when they did not.
    if (!ui::Resources::findTemplate(253))
      ui::Resources::addTemplateFolder("SS", std::string(SS_SOURCE_DIR) + "/resources/dialogs");
    moduleResourceOverride().SaveDefaultResource("SS");
    return true;
  }();
  (void)done;
}
