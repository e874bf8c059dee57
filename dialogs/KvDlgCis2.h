#pragma once
#include "dialogs/KvDlgCis2Data.h"
#include "platform/ui/Dialog.h"

// The CIS/2 information dialog (template DLG_CIS2INFO). The dependent options are
// usable only while the second choice is selected; the section-names button
// edits the section-name translation table at once, whatever way the dialog
// ends.
class KvDlgCis2 : public ui::Dialog {
 public:
  static constexpr const char* kTranslationFile = "CIS2ProfNames.dat";

  explicit KvDlgCis2(const KvDlgCis2Data& data);
  bool onInitDialog() override;
  void onOK() override;
  const KvDlgCis2Data& data() const { return data_; }

 private:
  void updateEnabling();
  void editTranslation();
  KvDlgCis2Data data_;
};
