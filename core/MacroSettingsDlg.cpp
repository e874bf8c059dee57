#include "core/MacroSettingsDlg.h"

#include "core/TabMappingData.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TabControl.h"

namespace {
enum { kTemplate = 9110, kTabs = 1000 };

// The core's own template, registered when the core loads.
const bool gRegistered = ui::Resources::addTemplate("dcm", "core/MacroSettingsDlg.cpp", R"({
  "id": 9110, "name": "DLG_MACROSETTINGS", "caption": "Macro settings", "size": [280, 308],
  "items": [
    {"type": "TABCONTROL", "id": 1000, "rect": [4, 4, 272, 280]},
    {"type": "DEFPUSHBUTTON", "id": 1, "rect": [168, 289, 50, 14], "text": "OK"},
    {"type": "PUSHBUTTON", "id": 2, "rect": [224, 289, 50, 14], "text": "Cancel"}
  ]})");

MacroSettingsPageFactory& standardsPage() {
  static MacroSettingsPageFactory factory;
  return factory;
}

class MacroSettingsDlg : public ui::Dialog {
 public:
  explicit MacroSettingsDlg(std::unique_ptr<MacroSettingsPage> page)
      : Dialog(kTemplate), page_(std::move(page)) {}

  bool onInitDialog() override {
    auto* tabs = itemAs<ui::TabControl>(kTabs);
    if (!tabs) return true;
    tabs->insertItem(0, page_->title().str());
    tabs->setCurSel(0);
    if (page_->create(*tabs)) {
      if (ui::Window* w = page_->window()) {
        w->setRect(tabs->displayRect());
        w->show();
      }
    }
    return true;
  }
  void onOK() override {
    modified_ = page_->apply();
    Dialog::onOK();
  }
  bool modified() const { return modified_; }

 private:
  std::unique_ptr<MacroSettingsPage> page_;
  bool modified_ = false;
};
}  // namespace

MacroSettingsPage::~MacroSettingsPage() = default;

void setMacroSettingsStandardsPage(MacroSettingsPageFactory factory) {
  standardsPage() = std::move(factory);
}

bool StartDlgMacroSettings(AcDbObjectId macro) {
  (void)gRegistered;
  TabMappingData data;
  if (!data.initFromMacro(macro)) {
    acutPrintf("*Error* Macro settings: the macro is not in the working drawing.\n");
    return false;
  }
  if (!standardsPage()) {
    acutPrintf("Macro settings are not available: the standards module is not loaded.\n");
    return false;
  }
  std::unique_ptr<MacroSettingsPage> page = standardsPage()(data);
  if (!page) return false;
  MacroSettingsDlg dialog(std::move(page));
  if (dialog.doModal() != ui::IDOK || !dialog.modified()) return false;
  return data.storeToMacro();
}
