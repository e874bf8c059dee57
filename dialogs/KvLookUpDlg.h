#pragma once
#include <memory>

#include "dialogs/KvLookUpDlgData.h"
#include "platform/ui/Dialog.h"
#include "standards/DataFiles.h"

// The look-up dialog (template DLG_LOOKUP): the keys of a lookup file, read
// as GETCELL reads it and found where GETCELL finds it; the value of the
// chosen key is shown below. OK needs a readable file and a key with a value.
class KvLookUpDlg : public ui::Dialog {
 public:
  explicit KvLookUpDlg(const KvLookUpDlgData& data);
  bool onInitDialog() override;
  void onOK() override;
  const KvLookUpDlgData& data() const { return data_; }

 private:
  void loadFile();
  void showValue();
  void browse();
  // The line of the chosen key, or null.
  const Nx_StringArray* chosenLine() const;

  KvLookUpDlgData data_;
  std::shared_ptr<const ssfunctions::LookupTable> table_;
  Nx_String problem_;  // why the file gives no keys
};
