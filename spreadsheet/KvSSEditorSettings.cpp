#include "spreadsheet/KvSSEditorSettings.h"

#include "platform/base/NamedValueStore.h"
#include "platform/ui/Services.h"

bool KvSSEditorSettings::read() {
  std::optional<std::string> value = ui::registry().get(kKey, kDefaultSettings);
  if (!value) return false;
  defaultSettings = *value;
  return true;
}

bool KvSSEditorSettings::write() const {
  return ui::registry().set(kKey, kDefaultSettings, defaultSettings.str());
}
