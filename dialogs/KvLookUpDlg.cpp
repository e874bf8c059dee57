#include "dialogs/KvLookUpDlg.h"

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/FileDialogs.h"
#include "core/Nx_Settings.h"
#include "core/dialString.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_LOOKUP.h"

using namespace dlg_lookup;

KvLookUpDlg::KvLookUpDlg(const KvLookUpDlgData& data) : Dialog(kTemplateId), data_(data) {
  on(IDC_FILE, ui::EN_CHANGE, [this] { loadFile(); });
  on(IDC_KEY, ui::CBN_SELCHANGE, [this] { showValue(); });
  onClicked(IDC_BROWSE, [this] { browse(); });
}

bool KvLookUpDlg::onInitDialog() {
  if (!data_.title.isEmpty()) setText(data_.title);
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  setItemText(IDC_FILE, data_.file);
  loadFile();  // whether or not setting the text told the dialog
  listSelect(IDC_KEY, listFind(IDC_KEY, data_.key));
  showValue();
  return true;
}

void KvLookUpDlg::loadFile() {
  Nx_String name = Nx_String(itemText(IDC_FILE)).trimmed();
  bool found = false;
  table_ = name.isEmpty() ? nullptr : ssfunctions::readLookupFile(name, &found);
  std::vector<std::string> keys;
  if (table_)
    for (const Nx_StringArray& line : *table_) keys.push_back(line[0].str());
  if (name.isEmpty())
    problem_ = "Choose a lookup file.";
  else if (!table_)
    problem_ = found ? "The file " + name + " cannot be read." : "There is no file " + name + ".";
  else if (keys.empty())
    problem_ = "The file " + name + " holds no keys.";
  else
    problem_.setEmpty();
  listSet(IDC_KEY, keys);
  setItemText(IDC_STATUS, problem_.isEmpty() ? Nx_String(int(keys.size())) + " keys" : problem_);
  showValue();
}

const Nx_StringArray* KvLookUpDlg::chosenLine() const {
  int index = listSelection(IDC_KEY);
  if (!table_ || index < 0 || index >= static_cast<int>(table_->size())) return nullptr;
  return &(*table_)[static_cast<size_t>(index)];
}

void KvLookUpDlg::showValue() {
  const Nx_StringArray* line = chosenLine();
  setItemText(IDC_VALUE, line && line->length() > 1 ? (*line)[1] : Nx_String());
}

void KvLookUpDlg::browse() {
  Nx_String path = itemText(IDC_FILE);
  if (DlgOpenSave(true, "txt", "Lookup files (*.txt)", "Lookup file",
                  gSettings.libDir + "Connection Standards/Data", path, this))
    setItemText(IDC_FILE, path);
}

void KvLookUpDlg::onOK() {
  const Nx_StringArray* line = chosenLine();
  Nx_String problem = problem_;
  if (problem.isEmpty() && !line) problem = "Choose a key.";
  if (problem.isEmpty() && line->length() < 2)
    problem = "The line of the key " + (*line)[0] + " holds no value.";
  if (!problem.isEmpty()) {
    ui::messageBox(problem.str(), text(), ui::MB_OK | ui::MB_ICONWARNING, this);
    return;
  }
  data_.file = Nx_String(itemText(IDC_FILE)).trimmed();
  data_.key = (*line)[0];
  data_.value = (*line)[1];
  Dialog::onOK();
}

bool StartDlgLookUp(KvLookUpDlgData& data) {
  return guardExport("StartDlgLookUp", false, [&] {
    KvResourceScope scope;
    KvLookUpDlg dlg(data);
    if (dlg.doModal() != ui::IDOK) return false;
    data = dlg.data();
    return true;
  });
}
