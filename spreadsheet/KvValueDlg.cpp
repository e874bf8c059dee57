#include "spreadsheet/KvValueDlg.h"

#include "core/dialString.h"
#include "platform/ui/Edit.h"

KvValueDlg::KvValueDlg(Nx_String title, Nx_String prompt, Nx_String text, Nx_String label)
    : Dialog(kTemplate),
      title_(std::move(title)),
      prompt_(std::move(prompt)),
      text_(std::move(text)),
      label_(std::move(label)) {}

bool KvValueDlg::onInitDialog() {
  setText(title_);
  setItemText(1150, prompt_);
  setItemText(1151, label_);
  showItem(1151, !label_.isEmpty());
  setItemText(1000, text_);
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  if (auto* edit = itemAs<ui::Edit>(1000)) {
    edit->setSel(0, -1);
    edit->setFocus();
    return false;
  }
  return true;
}

void KvValueDlg::onOK() {
  text_ = itemText(1000);
  Dialog::onOK();
}

bool KvValueDlg::ask(const Nx_String& title, const Nx_String& prompt, Nx_String& text,
                     const Nx_String& label) {
  KvValueDlg dlg(title, prompt, text, label);
  if (dlg.doModal() != ui::IDOK) return false;
  text = dlg.text();
  return true;
}
