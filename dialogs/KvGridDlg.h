#pragma once
#include "dialogs/KvGridDlgData.h"
#include "platform/ui/Dialog.h"

// The grid dialog (template DLG_GRID): a copy of the record is shown and, on OK,
// read back from the controls.
class KvGridDlg : public ui::Dialog {
 public:
  explicit KvGridDlg(const KvGridDlgData& data);
  bool onInitDialog() override;
  void onOK() override;
  const KvGridDlgData& data() const { return data_; }

 private:
  KvGridDlgData data_;
};
