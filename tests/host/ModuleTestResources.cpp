#include "tests/host/ModuleTestResources.h"

#include "common/KvResourceScope.h"
#include "platform/ui/Resources.h"
#include "resources/dialogs/DLG_STANDARDS_CALC.h"

void registerModuleTemplates() {
  static const bool done = [] {
    // The module's libraries register its templates when they load; read
    // them from the source folder only when they did not.
    if (!ui::Resources::findTemplate(dlg_standards_calc::kTemplateId))
      ui::Resources::addTemplateFolder("SS", std::string(SS_SOURCE_DIR) + "/resources/dialogs");
    moduleResourceOverride().SaveDefaultResource("SS");
    return true;
  }();
  (void)done;
}
