#pragma once
#include "core/Nx_String.h"
#include "spreadsheet/KvValueDlg.h"

// The text-input dialog of the spreadsheet host: a title, a prompt, a label
// before the field, and the text proposed in it.
class KvCaptionDlg : public KvValueDlg {
 public:
  KvCaptionDlg(Nx_String title, Nx_String prompt, Nx_String label, Nx_String text)
      : KvValueDlg(std::move(title), std::move(prompt), std::move(text), std::move(label)) {}

  // True with the entered text on OK; the text is left alone otherwise.
  static bool ask(const Nx_String& title, const Nx_String& prompt, const Nx_String& label,
                  Nx_String& text);
  // The caption of a new row or column: title 171, prompt 1150, label 1151
  // and 1152 (row) or 1153 (column) followed by ":".
  static bool askRowOrColumn(bool row, Nx_String& caption);
};
