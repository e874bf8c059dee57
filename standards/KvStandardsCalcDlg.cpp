#include "standards/KvStandardsCalcDlg.h"

bool KvStandardsCalcDlg::onInitDialog() {
  ui::Dialog::onInitDialog();
  sheet_.attachToItem(this, kSheetItem);
  return true;
}
