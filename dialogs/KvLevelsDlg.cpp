#include "dialogs/KvLevelsDlg.h"

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/dialString.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_LEVELS.h"
#include "spreadsheet/CaptionDlg.h"

using namespace dlg_levels;

namespace {
constexpr int kValueDecimals = 3;

Nx_String number(double value) {
  return Nx_String(value, kValueDecimals, false);
}
}  // namespace

KvLevelsDlg::KvLevelsDlg(const KvLevelsDlgData& data) : Dialog(kTemplateId), data_(data) {
  on(IDC_LEVEL_LIST, ui::CBN_SELCHANGE, [this] {
    storeLevel();
    showLevel(listSelection(IDC_LEVEL_LIST));
  });
  onClicked(IDC_ADD, [this] { addLevel(); });
  onClicked(IDC_DELETE, [this] { deleteLevel(); });
}

bool KvLevelsDlg::onInitDialog() {
  setItemToolTip(IDC_ADD, dialString(131));
  setItemToolTip(IDC_DELETE, dialString(134));
  setText(dialString(1478));
  setItemText(IDC_LEVEL_CAPTION, dialString(760) + ":");
  setItemText(IDC_NAME_CAPTION, dialString(87) + ":");
  setItemText(IDC_REFERENCE_CAPTION, dialString(1473) + ":");
  setItemText(IDC_VALUE_CAPTION, dialString(593) + ":");
  setItemText(IDC_ABSOLUTE_CAPTION, dialString(1474) + ":");
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  fillLevelList();
  listSelect(IDC_LEVEL_LIST, 0);
  showLevel(0);
  return true;
}

void KvLevelsDlg::onOK() {
  storeLevel();
  Dialog::onOK();
}

void KvLevelsDlg::fillLevelList() {
  Nx_StringArray names;
  data_.getNames(names);
  listClear(IDC_LEVEL_LIST);
  for (const Nx_String& name : names) listAdd(IDC_LEVEL_LIST, name.str());
}

void KvLevelsDlg::showLevel(int index) {
  Nx_String name, reference;
  double value = 0, absolute = 0;
  if (data_.getLevelData(index, name, reference, value, absolute)) {
    Nx_StringArray names;
    data_.getNames(names);
    listClear(IDC_REFERENCE);
    listAdd(IDC_REFERENCE, KvLevelsDlgData::kWorldLevel);
    for (const Nx_String& other : names)
      if (!other.equal(name, true)) listAdd(IDC_REFERENCE, other.str());
    setItemText(IDC_NAME, name);
    int at = -1;
    for (int i = 0; i < listCount(IDC_REFERENCE) && at < 0; ++i)
      if (listText(IDC_REFERENCE, i) == reference.str()) at = i;
    listSelect(IDC_REFERENCE, at);
    setItemText(IDC_VALUE, number(value));
    setItemText(IDC_ABSOLUTE, number(absolute));
  }
  current_ = index;
  newLevel_ = false;
  setEnabling();
}

void KvLevelsDlg::storeLevel() {
  data_.updateLevel(current_, Nx_String(itemText(IDC_VALUE)).toDouble());
  if (newLevel_) {
    int at = listSelection(IDC_REFERENCE);
    if (at >= 0) data_.updateLevel(current_, Nx_String(listText(IDC_REFERENCE, at)));
  }
}

void KvLevelsDlg::setEnabling() {
  enableItem(IDC_REFERENCE, newLevel_);
  enableItem(IDC_NAME, false);
  enableItem(IDC_ABSOLUTE, false);
}

bool KvLevelsDlg::askNewName(Nx_String& name) {
  Nx_StringArray taken;
  data_.getNames(taken);
  taken.append(KvLevelsDlgData::kWorldLevel);
  for (int question = 0; question < kMaxNameQuestions; ++question) {
    if (!KvCaptionDlg::ask(dialString(171), dialString(1475), dialString(87), name)) return false;
    if (name.trimmed().isEmpty()) return false;
    if (!taken.contains(name, false)) return true;
    ui::messageBox((dialString(857) + ".\n" + dialString(858) + ".").str(), dialString(856).str(),
                   ui::MB_OK | ui::MB_ICONWARNING, this);
  }
  // A name still taken after the last question would make two levels of one
  // name (or a level that shadows "wcs"): nothing is added.
  return false;
}

void KvLevelsDlg::addLevel() {
  storeLevel();
  Nx_String name;
  if (!askNewName(name)) return;
  int index = data_.addLevel(name);
  fillLevelList();
  listSelect(IDC_LEVEL_LIST, index);
  showLevel(index);
  newLevel_ = true;
  setEnabling();
}

void KvLevelsDlg::deleteLevel() {
  if (!data_.deleteLevel(current_)) return;
  fillLevelList();
  int shown = current_ - 1;
  listSelect(IDC_LEVEL_LIST, shown);
  showLevel(shown);
}

bool StartDlgLevels(KvLevelsDlgData& data) {
  return guardExport("StartDlgLevels", false, [&] {
    KvResourceScope scope;
    KvLevelsDlg dlg(data);
    if (dlg.doModal() != ui::IDOK) return false;
    data = dlg.data();
    return true;
  });
}
