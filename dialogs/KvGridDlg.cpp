#include "dialogs/KvGridDlg.h"

#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/dialString.h"

KvGridDlg::KvGridDlg(const KvGridDlgData& data) : Dialog(kTemplate), data_(data) {}

bool KvGridDlg::onInitDialog() {
  setText(dialString(1463));
  setItemText(1372, dialString(1464));
  setItemText(1375, dialString(1465));
  for (int id : {1366, 1373}) setItemText(id, dialString(1466));
  for (int id : {1368, 1376}) setItemText(id, dialString(1467));
  for (int id : {1370, 1378}) setItemText(id, dialString(1468));
  setItemText(1380, dialString(1469));
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));

  setItemInt(1367, data_.firstCount);
  setItemText(1369, data_.firstSpacing);
  setItemText(1371, data_.firstLabel);
  setItemInt(1374, data_.secondCount);
  setItemText(1377, data_.secondSpacing);
  setItemText(1379, data_.secondLabel);
  setCheck(1380, data_.option);
  return true;
}

void KvGridDlg::onOK() {
  // Counts read as the C library does: a text that is no number counts 0.
  data_.firstCount = Nx_String(itemText(1367)).toInt();
  data_.firstSpacing = itemText(1369);
  data_.firstLabel = itemText(1371);
  data_.secondCount = Nx_String(itemText(1374)).toInt();
  data_.secondSpacing = itemText(1377);
  data_.secondLabel = itemText(1379);
  data_.option = isChecked(1380);
  Dialog::onOK();
}

bool StartDlgGrid(KvGridDlgData& data) {
  KvResourceScope scope;
  KvGridDlg dlg(data);
  if (dlg.doModal() != ui::IDOK) return false;
  data = dlg.data();
  return true;
}
