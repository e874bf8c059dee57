#pragma once
#include <string>

#include "core/Nx_String.h"
#include "platform/ui/Dialog.h"

// The small value dialog (template DLG_VALUE): a title, a prompt, an optional
// label and one edit field with OK and Cancel. The text is proposed on
// entry and read back on OK.
class KvValueDlg : public ui::Dialog {
 public:
  KvValueDlg(Nx_String title, Nx_String prompt, Nx_String text, Nx_String label = {});
  bool onInitDialog() override;
  void onOK() override;
  const Nx_String& text() const { return text_; }

  // Runs the dialog; on OK the text holds the entry and the answer is true.
  static bool ask(const Nx_String& title, const Nx_String& prompt, Nx_String& text,
                  const Nx_String& label = {});

 private:
  Nx_String title_, prompt_, text_, label_;
};
