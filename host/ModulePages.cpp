// What the module hands down while it is loaded: the standards sheet to the
// mapping layer's pages, and the standards page to the core's macro
// settings dialog.
#include "core/MacroSettingsDlg.h"
#include "mapping/KvStandardsSettingsPage.h"
#include "mapping/KvVariableSheet.h"
#include "standards/KvStandardsVariableSheet.h"

namespace {
struct PageInstaller {
  PageInstaller() {
    KvVariableSheet::setFactory([] { return std::make_unique<KvStandardsVariableSheet>(); });
    setMacroSettingsStandardsPage(
        [](TabMappingData& data) { return std::make_unique<KvStandardsSettingsPage>(data); });
  }
  // The core must not call into a module that is gone.
  ~PageInstaller() {
    setMacroSettingsStandardsPage(nullptr);
    KvVariableSheet::setFactory(nullptr);
  }
};
const PageInstaller gPageInstaller;
}  // namespace
