#include "tests/host/ModuleTestResources.h"

#include "host/KvResourceScope.h"
#include "platform/ui/Resources.h"
#include "resources/dialogs/DLG_STANDARDS_CALC.h"

// The module's resource switcher, as the library entry keeps it.
KvTempResourceOverride& moduleResourceOverride() {
  static KvTempResourceOverride override;
  return override;
}

void registerModuleTemplates() {
  static const bool done = [] {
    // The linked module registers its templates when it loads; read them from
    // the source folder only when it did not.
    if (!ui::Resources::findTemplate(dlg_standards_calc::kTemplateId))
      ui::Resources::addTemplateFolder("SS", std::string(SS_SOURCE_DIR) + "/resources/dialogs");
    moduleResourceOverride().SaveDefaultResource("SS");
    return true;
  }();
  (void)done;
}
