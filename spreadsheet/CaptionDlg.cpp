#include "spreadsheet/CaptionDlg.h"

#include "core/dialString.h"

bool KvCaptionDlg::ask(const Nx_String& title, const Nx_String& prompt, const Nx_String& label,
                       Nx_String& text) {
  KvCaptionDlg dlg(title, prompt, label, text);
  if (dlg.doModal() != ui::IDOK) return false;
  text = dlg.text();
  return true;
}

bool KvCaptionDlg::askRowOrColumn(bool row, Nx_String& caption) {
  Nx_String label = dialString(1151) + " " + dialString(row ? 1152 : 1153) + ":";
  return ask(dialString(171), dialString(1150), label, caption);
}
