#include "dialogs/KvDlgCis2.h"

#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/SectionTranslation.h"
#include "core/dialString.h"

namespace {
const int kDependent[] = {1424, 1425, 1426, 1427, 1428};
}

KvDlgCis2::KvDlgCis2(const KvDlgCis2Data& data) : Dialog(kTemplate), data_(data) {
  onClicked(1420, [this] { updateEnabling(); });
  onClicked(1421, [this] { updateEnabling(); });
  onClicked(1423, [this] { editTranslation(); });
}

bool KvDlgCis2::onInitDialog() {
  setText(dialString(1731));
  setItemText(1422, dialString(1733) + dialString(1732));
  setItemText(1420, dialString(1734));
  setItemText(1421, dialString(1735));
  setItemText(1424, dialString(665));
  setItemText(1425, dialString(1736));
  setItemText(1427, dialString(1741));
  setItemText(1426, dialString(1737));
  setItemText(1428, dialString(1738));
  setItemText(1423, dialString(1739));
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));

  checkRadioButton(1420, 1421, data_.firstChoice ? 1420 : 1421);
  setCheck(1424, data_.optionA);
  setCheck(1425, data_.optionB);
  setCheck(1427, data_.optionC);
  setCheck(1426, !data_.secondChoice);
  setCheck(1428, data_.secondChoice);
  updateEnabling();
  return true;
}

void KvDlgCis2::updateEnabling() {
  bool on = isChecked(1421);
  for (int id : kDependent) enableItem(id, on);
}

void KvDlgCis2::editTranslation() {
  Nx_StringArray names, cis2Names;
  readSectionTranslation(kTranslationFile, names, cis2Names);
  writeSectionTranslation(dialString(670), dialString(1740), names, cis2Names, kTranslationFile);
}

void KvDlgCis2::onOK() {
  data_.firstChoice = isChecked(1420);
  data_.optionA = isChecked(1424);
  data_.optionB = isChecked(1425);
  data_.optionC = isChecked(1427);
  data_.secondChoice = !isChecked(1426);
  Dialog::onOK();
}

bool StartDlgCis2Info(KvDlgCis2Data& data) {
  KvResourceScope scope;
  KvDlgCis2 dlg(data);
  if (dlg.doModal() != ui::IDOK) return false;
  data = dlg.data();
  return true;
}
