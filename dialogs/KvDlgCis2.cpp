#include "dialogs/KvDlgCis2.h"

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/SectionTranslation.h"
#include "core/dialString.h"
#include "resources/dialogs/DLG_CIS2INFO.h"

using namespace dlg_cis2info;

namespace {
const int kDependent[] = {IDC_OPTION_A, IDC_OPTION_B, IDC_EITHER, IDC_OPTION_C, IDC_OR};
}

KvDlgCis2::KvDlgCis2(const KvDlgCis2Data& data) : Dialog(kTemplateId), data_(data) {
  onClicked(IDC_FIRST_CHOICE, [this] { updateEnabling(); });
  onClicked(IDC_SECOND_CHOICE, [this] { updateEnabling(); });
  onClicked(IDC_SECTION_NAMES, [this] { editTranslation(); });
}

bool KvDlgCis2::onInitDialog() {
  setText(dialString(1731));
  setItemText(IDC_HEADING, dialString(1733) + dialString(1732));
  setItemText(IDC_FIRST_CHOICE, dialString(1734));
  setItemText(IDC_SECOND_CHOICE, dialString(1735));
  setItemText(IDC_OPTION_A, dialString(665));
  setItemText(IDC_OPTION_B, dialString(1736));
  setItemText(IDC_OPTION_C, dialString(1741));
  setItemText(IDC_EITHER, dialString(1737));
  setItemText(IDC_OR, dialString(1738));
  setItemText(IDC_SECTION_NAMES, dialString(1739));
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));

  checkRadioButton(IDC_FIRST_CHOICE, IDC_SECOND_CHOICE,
                   data_.firstChoice ? IDC_FIRST_CHOICE : IDC_SECOND_CHOICE);
  setCheck(IDC_OPTION_A, data_.optionA);
  setCheck(IDC_OPTION_B, data_.optionB);
  setCheck(IDC_OPTION_C, data_.optionC);
  setCheck(IDC_EITHER, !data_.secondChoice);
  setCheck(IDC_OR, data_.secondChoice);
  updateEnabling();
  return true;
}

void KvDlgCis2::updateEnabling() {
  bool on = isChecked(IDC_SECOND_CHOICE);
  for (int id : kDependent) enableItem(id, on);
}

void KvDlgCis2::editTranslation() {
  Nx_StringArray names, cis2Names;
  readSectionTranslation(kTranslationFile, names, cis2Names);
  writeSectionTranslation(dialString(670), dialString(1740), names, cis2Names, kTranslationFile);
}

void KvDlgCis2::onOK() {
  data_.firstChoice = isChecked(IDC_FIRST_CHOICE);
  data_.optionA = isChecked(IDC_OPTION_A);
  data_.optionB = isChecked(IDC_OPTION_B);
  data_.optionC = isChecked(IDC_OPTION_C);
  data_.secondChoice = !isChecked(IDC_EITHER);
  Dialog::onOK();
}

bool StartDlgCis2Info(KvDlgCis2Data& data) {
  return guardExport("StartDlgCis2Info", false, [&] {
    KvResourceScope scope;
    KvDlgCis2 dlg(data);
    if (dlg.doModal() != ui::IDOK) return false;
    data = dlg.data();
    return true;
  });
}
