#pragma once
#include "core/Nx_StringArray.h"
#include "dialogs/KvSelectImageDlgData.h"
#include "platform/ui/Dialog.h"

// The image-selection dialog (template DLG_SELECTIMAGE): the pictures of the
// record's folder by name, the selected one previewed beside the list; a
// double-click chooses and closes. OK without a choice is refused.
class KvSelectImageDlg : public ui::Dialog {
 public:
  // The picture files directly in the folder, sorted by name; false when the
  // folder cannot be listed.
  static bool listImages(const Nx_String& folder, Nx_StringArray& names);

  KvSelectImageDlg(const KvSelectImageDlgData& data, const Nx_StringArray& names);
  bool onInitDialog() override;
  void onOK() override;
  const KvSelectImageDlgData& data() const { return data_; }

 private:
  void preview();

  KvSelectImageDlgData data_;
  Nx_StringArray names_;
};
