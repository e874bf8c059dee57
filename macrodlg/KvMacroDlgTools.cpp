// The tool buttons of the macro dialog: other macros, standards, apply
// again, macro settings, property files, and the clash check they end with.
#include "core/FileDialogs.h"
#include "core/MacroSettingsDlg.h"
#include "core/PathHelpers.h"
#include "core/dialString.h"
#include "core/macro/ClashCheck.h"
#include "core/macro/MacroFilters.h"
#include "macrodlg/KvMacroDlg.h"
#include "platform/arx/aced.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Services.h"

using namespace dlg_macro;

namespace {
// The same tabs, with the same pages: only values may differ.
bool sameTabs(const MacroData& a, const MacroData& b) {
  if (a.tabCount() != b.tabCount() || a.filter1 != b.filter1 || a.filter2 != b.filter2 ||
      a.currentGroup != b.currentGroup)
    return false;
  for (int i = 0; i < a.tabCount(); ++i) {
    const MacroTabData& x = *a.getTab(i);
    const MacroTabData& y = *b.getTab(i);
    if (x.name != y.name || x.title != y.title || x.kind != y.kind ||
        x.designedDialog != y.designedDialog)
      return false;
  }
  return true;
}

const Nx_String kPropertyFilter = "Property files (*.json)";

// Where the property-file dialog starts: the macro's first property file.
void proposedPropertyFile(const MacroData& data, Nx_String& folder, Nx_String& path) {
  Nx_StringArray files;
  data.getPropFiles(files);
  if (files.isEmpty()) return;
  path = files[0];
  folder = getPath(path);
}
}  // namespace

void KvMacroDlg::startClashCheck() {
  AcArray<AcDbObjectId> objects;
  if (!data_.macroId.isNull()) objects.append(data_.macroId);
  clashReset(objects);
  setCheck(IDC_CLASH_CHECK, clashStatus());
  clashCheck();
}

void KvMacroDlg::selectOtherMacros() {
  acedPostCommand("CANCELCMD");
  storePages();
  show(false);
  const bool changed = SelectOtherMacros(data_);
  show(true);
  if (!changed) return;
  rebuildPages();
  fillFilterLists();
  startClashCheck();
  fitWindow();
}

void KvMacroDlg::loadFromStandards() {
  storePages();
  const MacroData before = data_;
  if (!data_.loadFromStandards())
    acutPrintf("*Error* Load from standards: the standards of the macro did not all run.\n");
  // A sheet that failed may have written values before it did: the pages
  // show what the macro holds either way. Standards change values, not
  // tabs; pages on the same tabs show the new values without being built
  // again (reading a design and its picture anew is most of a rebuild).
  if (sameTabs(before, data_))
    refreshPages();
  else
    rebuildPages();
  clashCheck();
}

void KvMacroDlg::applyAgain() {
  storePages();
  if (data_.reApply()) close();
}

void KvMacroDlg::openMacroSettings() {
  storePages();
  // The mapping is read anew by every run: the next "Load from standards" uses it.
  StartDlgMacroSettings(data_.macroId);
}

void KvMacroDlg::readPropertyFile() {
  if (!data_.propListAllowed()) return;
  storePages();
  Nx_String folder, path;
  proposedPropertyFile(data_, folder, path);
  if (!DlgOpenSave(true, "json", kPropertyFilter, dialString(981), folder, path, this)) return;
  const MacroData before = data_;
  int count = 0;
  Nx_String error;
  if (!data_.readFromFile(path, count, &error)) {
    ui::messageBox(error.str(), dialString(1509).str(), ui::MB_OK | ui::MB_ICONERROR, this);
    return;
  }
  const int changed = data_.differences(before);
  if (changed != 0)
    ui::messageBox(dialString(1510).str() + ": " + std::to_string(count) + ".\n" +
                       dialString(1507).str() + " " + std::to_string(changed) + " " +
                       dialString(1508).str(),
                   dialString(1509).str(), ui::MB_OK | ui::MB_ICONINFORMATION, this);
  // Only the changed tabs go to the macro; the dialog keeps every tab.
  MacroData toMacro = data_;
  toMacro.removeAll();
  toMacro.setAllToMacro();
  rebuildPages();
  clashCheck();
}

void KvMacroDlg::writePropertyFile() {
  storePages();
  if (!data_.propListAllowed()) return;
  Nx_String folder, path;
  proposedPropertyFile(data_, folder, path);
  if (!DlgOpenSave(false, "json", kPropertyFilter, dialString(982), folder, path, this)) return;
  Nx_String error;
  if (!data_.writeToFile(path, &error))
    ui::messageBox(error.str(), dialString(1509).str(), ui::MB_OK | ui::MB_ICONERROR, this);
}
