// What the module hands down while it is loaded: the standards sheet to the
// mapping layer's pages, the standards page to the core's macro settings
// dialog, and the advanced profile dialog to the macro dialog's grid pages.
#include "common/SSExports.h"
#include "core/MacroSettingsDlg.h"
#include "macrodlg/MacroGridPage.h"
#include "mapping/KvStandardsSettingsPage.h"
#include "mapping/KvVariableSheet.h"
#include "standards/KvStandardsVariableSheet.h"

namespace {
struct PageInstaller {
  PageInstaller() {
    KvVariableSheet::setFactory([] { return std::make_unique<KvStandardsVariableSheet>(); });
    setMacroSettingsStandardsPage(
        [](TabMappingData& data) { return std::make_unique<KvStandardsSettingsPage>(data); });
    MacroGridPage::setAdvancedOpener([](MacroData& data, const Nx_String& tab) {
      StartDlgMacroProfAdv(data, tab, Nx_String(), false);
    });
  }
  // The core must not call into a module that is gone.
  ~PageInstaller() {
    MacroGridPage::setAdvancedOpener(nullptr);
    setMacroSettingsStandardsPage(nullptr);
    KvVariableSheet::setFactory(nullptr);
  }
};
const PageInstaller gPageInstaller;
}  // namespace
