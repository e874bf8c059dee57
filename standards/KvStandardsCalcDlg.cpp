#include "standards/KvStandardsCalcDlg.h"

bool KvStandardsCalcDlg::onInitDialog() {
  ui::Dialog::onInitDialog();
  // The spreadsheet control of the standards sheet is created here, in place
  // of sheetPlaceholder(), once the sheet class exists.
  return true;
}
