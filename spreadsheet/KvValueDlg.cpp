#include "spreadsheet/KvValueDlg.h"

#include "core/dialString.h"
#include "platform/ui/Edit.h"
#include "resources/dialogs/DLG_VALUE.h"

using namespace dlg_value;

KvValueDlg::KvValueDlg(Nx_String title, Nx_String prompt, Nx_String text, Nx_String label)
    : Dialog(kTemplateId),
      title_(std::move(title)),
      prompt_(std::move(prompt)),
      text_(std::move(text)),
      label_(std::move(label)) {}

bool KvValueDlg::onInitDialog() {
  setText(title_);
  setItemText(IDC_PROMPT, prompt_);
  setItemText(IDC_LABEL, label_);
  showItem(IDC_LABEL, !label_.isEmpty());
  setItemText(IDC_TEXT, text_);
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  if (auto* edit = itemAs<ui::Edit>(IDC_TEXT)) {
    edit->setSel(0, -1);
    edit->setFocus();
    return false;
  }
  return true;
}

void KvValueDlg::onOK() {
  text_ = itemText(IDC_TEXT);
  Dialog::onOK();
}

bool KvValueDlg::ask(const Nx_String& title, const Nx_String& prompt, Nx_String& text,
                     const Nx_String& label) {
  KvValueDlg dlg(title, prompt, text, label);
  if (dlg.doModal() != ui::IDOK) return false;
  text = dlg.text();
  return true;
}
