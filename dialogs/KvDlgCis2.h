#pragma once
#include "dialogs/KvDlgCis2Data.h"
#include "platform/ui/Dialog.h"

// The CIS/2 information dialog (template 254). The dependent options are
// usable only while the second first-choice button is selected; button 1423
// edits the section-name translation table at once, whatever way the dialog
// ends.
class KvDlgCis2 : public ui::Dialog {
 public:
  enum { kTemplate = 254 };
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
