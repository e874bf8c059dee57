#pragma once
#include "platform/ui/Dialog.h"
#include "resources/dialogs/DLG_STANDARDS_CALC.h"
#include "standards/KvDlgStandardsData.h"
#include "standards/KvStandardsSheet.h"

// The hidden calculation dialog of the standards engine (template DLG_STANDARDS_CALC): the
// pool of calculation dialogs (KvSSDlgsMgr) creates it once, never shows it
// and lends it out for one evaluation at a time. Creating a spreadsheet
// window is slow; that is why the dialog is kept and reused.
//
// The standards sheet takes the place of the placeholder item kSheetItem
// when the dialog initialises; the evaluation's working copy of the request
// lives beside it.
class KvStandardsCalcDlg : public ui::Dialog {
 public:
  static constexpr int kTemplateId = dlg_standards_calc::kTemplateId;
  static constexpr int kSheetItem = dlg_standards_calc::IDC_SHEET;

  KvStandardsCalcDlg() : ui::Dialog(kTemplateId) {}

  bool onInitDialog() override;
  // The window the standards sheet occupies: the sheet itself once the
  // dialog is initialised.
  ui::Window* sheetPlaceholder() const { return item(kSheetItem); }

  KvStandardsSheet& sheet() { return sheet_; }
  KvDlgStandardsData& data() { return data_; }

 private:
  KvStandardsSheet sheet_;
  KvDlgStandardsData data_;
};
