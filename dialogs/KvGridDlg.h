#pragma once
#include "dialogs/KvGridDlgData.h"
#include "platform/ui/Dialog.h"

// The grid dialog (template 242): a copy of the record is shown and, on OK,
// read back from the controls.
class KvGridDlg : public ui::Dialog {
 public:
  enum { kTemplate = 242 };
  explicit KvGridDlg(const KvGridDlgData& data);
  bool onInitDialog() override;
  void onOK() override;
  const KvGridDlgData& data() const { return data_; }

 private:
  KvGridDlgData data_;
};
