#include "dialogs/KvGridDlg.h"

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/dialString.h"
#include "resources/dialogs/DLG_GRID.h"

using namespace dlg_grid;

KvGridDlg::KvGridDlg(const KvGridDlgData& data) : Dialog(kTemplateId), data_(data) {}

bool KvGridDlg::onInitDialog() {
  setText(dialString(1463));
  setItemText(IDC_FIRST_GROUP, dialString(1464));
  setItemText(IDC_SECOND_GROUP, dialString(1465));
  for (int id : {IDC_FIRST_COUNT_CAPTION, IDC_SECOND_COUNT_CAPTION})
    setItemText(id, dialString(1466));
  for (int id : {IDC_FIRST_SPACING_CAPTION, IDC_SECOND_SPACING_CAPTION})
    setItemText(id, dialString(1467));
  for (int id : {IDC_FIRST_LABEL_CAPTION, IDC_SECOND_LABEL_CAPTION})
    setItemText(id, dialString(1468));
  setItemText(IDC_OPTION, dialString(1469));
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));

  setItemInt(IDC_FIRST_COUNT, data_.firstCount);
  setItemText(IDC_FIRST_SPACING, data_.firstSpacing);
  setItemText(IDC_FIRST_LABEL, data_.firstLabel);
  setItemInt(IDC_SECOND_COUNT, data_.secondCount);
  setItemText(IDC_SECOND_SPACING, data_.secondSpacing);
  setItemText(IDC_SECOND_LABEL, data_.secondLabel);
  setCheck(IDC_OPTION, data_.option);
  return true;
}

void KvGridDlg::onOK() {
  // Counts read as the C library does: a text that is no number counts 0.
  data_.firstCount = Nx_String(itemText(IDC_FIRST_COUNT)).toInt();
  data_.firstSpacing = itemText(IDC_FIRST_SPACING);
  data_.firstLabel = itemText(IDC_FIRST_LABEL);
  data_.secondCount = Nx_String(itemText(IDC_SECOND_COUNT)).toInt();
  data_.secondSpacing = itemText(IDC_SECOND_SPACING);
  data_.secondLabel = itemText(IDC_SECOND_LABEL);
  data_.option = isChecked(IDC_OPTION);
  Dialog::onOK();
}

bool StartDlgGrid(KvGridDlgData& data) {
  return guardExport("StartDlgGrid", false, [&] {
    KvResourceScope scope;
    KvGridDlg dlg(data);
    if (dlg.doModal() != ui::IDOK) return false;
    data = dlg.data();
    return true;
  });
}
