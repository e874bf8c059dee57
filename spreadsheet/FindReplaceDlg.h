#pragma once
#include "core/Nx_String.h"
#include "platform/ui/Dialog.h"

class Nx_Spread;

// The modeless find/replace dialog of a sheet (template DLG_FINDREPLACE). It keeps the
// sheet's option 13 on while it is open and puts it back on closing.
class KvFindReplaceDlg : public ui::Dialog {
 public:
  explicit KvFindReplaceDlg(Nx_Spread& sheet);

  bool onInitDialog() override;
  // Close, Escape and the close box: the size is remembered and the sheet
  // destroys the window.
  void onCancel() override;
  bool preTranslateKey(const ui::KeyEvent& key) override;

  // Selects the next match after the active cell (or after the selection in
  // the cell being edited); at the end, offers to go on from the top.
  bool findNext();
  // Replaces the text selected in the cell being edited.
  bool replace();
  // Replaces in every cell and reports the count; answers the count.
  int replaceAll();

  bool hadOption13() const { return hadOption13_; }

 private:
  Nx_String findText() const;
  Nx_String replaceText() const;
  bool selectMatch(int col, int row, int pos, int length);

  Nx_Spread& sheet_;
  bool hadOption13_ = false;
};
