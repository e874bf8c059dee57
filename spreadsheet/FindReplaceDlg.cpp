#include "spreadsheet/FindReplaceDlg.h"

#include "core/StringHelpers.h"
#include "core/dialString.h"
#include "platform/ui/DialogSizeMemory.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_FINDREPLACE.h"
#include "spreadsheet/Nx_Spread.h"
#include "spreadsheet/SheetOptions.h"

using namespace dlg_findreplace;

KvFindReplaceDlg::KvFindReplaceDlg(Nx_Spread& sheet) : Dialog(kTemplateId), sheet_(sheet) {
  onClicked(ui::IDOK, [this] { findNext(); });
  onClicked(IDC_REPLACE, [this] { replace(); });
  onClicked(IDC_REPLACE_ALL, [this] { replaceAll(); });
}

bool KvFindReplaceDlg::onInitDialog() {
  setText(dialString(1136));
  setItemText(IDC_FIND_CAPTION, dialString(1137));
  setItemText(IDC_REPLACE_CAPTION, dialString(1138));
  setItemText(ui::IDOK, dialString(1139));
  setItemText(IDC_REPLACE, dialString(1140));
  setItemText(IDC_REPLACE_ALL, dialString(1141));
  setItemText(ui::IDCANCEL, dialString(285));
  setExStyle(exStyle() | ui::WS_EX_TOPMOST);
  if (grid::Sheet* s = sheet_.sheet()) {
    hadOption13_ = s->getBool(kOptionEditMode);
    s->setBool(kOptionEditMode, true);
    s->setBool(kOptionAutoEdit, false);
  }
  ui::DialogSizeMemory::restore(*this, kTemplateName);
  return true;
}

void KvFindReplaceDlg::onCancel() {
  ui::DialogSizeMemory::store(*this, kTemplateName);
  if (grid::Sheet* s = sheet_.sheet(); s && !hadOption13_) s->setBool(kOptionEditMode, false);
  sheet_.closeFindReplace();
}

bool KvFindReplaceDlg::preTranslateKey(const ui::KeyEvent& key) {
  if (!key.down || key.control || key.alt) return false;
  if (key.key == ui::VK_F3)
    findNext();
  else if (key.key == ui::VK_F5)
    replace();
  else
    return false;
  return true;
}

Nx_String KvFindReplaceDlg::findText() const {
  return itemText(IDC_FIND_TEXT);
}

Nx_String KvFindReplaceDlg::replaceText() const {
  return itemText(IDC_REPLACE_TEXT);
}

bool KvFindReplaceDlg::selectMatch(int col, int row, int pos, int length) {
  return sheet_.selectInCell(col, row, pos, pos + length);
}

bool KvFindReplaceDlg::findNext() {
  sheet_.refreshEditState();
  Nx_String text = findText();
  int col = 1, row = 1;
  if (text.isEmpty() || !sheet_.getActiveCell(col, row)) return false;
  int start = 0, end = 0;
  int pos = 0;
  if (sheet_.getEditSelection(start, end) && end > start) {
    pos = end;
  } else {
    // Not editing: the search starts with the cell after the active one.
    pos = sheet_.searchText(col, row).length();
  }
  if (sheet_.findNext(text, col, row, pos)) return selectMatch(col, row, pos, text.length());

  Nx_String question = dialString(1142) + "\n" + dialString(1143) + "\n";
  if (ui::messageBox(question, dialString(1144), ui::MB_YESNO | ui::MB_ICONQUESTION, this) !=
      ui::IDYES)
    return false;
  if (sheet_.find(text, true, 1, 1, col, row)) {
    Nx_String value = sheet_.searchText(col, row);
    return selectMatch(col, row, findFirstFrom(value, text, 0, false), text.length());
  }
  ui::messageBox(dialString(1146), dialString(1145), ui::MB_OK | ui::MB_ICONINFORMATION, this);
  return false;
}

bool KvFindReplaceDlg::replace() {
  sheet_.refreshEditState();
  int col = 1, row = 1, start = 0, end = 0;
  if (!sheet_.getEditSelection(start, end) || end <= start) return false;
  Nx_String replacement = replaceText();
  if (!sheet_.replaceSelection(replacement)) return false;
  if (grid::Sheet* s = sheet_.sheet()) s->setBool(ui::kSpreadOptionChanged, true);
  sheet_.getActiveCell(col, row);
  return selectMatch(col, row, start, replacement.length());
}

int KvFindReplaceDlg::replaceAll() {
  Nx_String from = findText(), to = replaceText();
  int count = 0, col = 1, row = 1, foundCol = 0, foundRow = 0;
  while (!from.isEmpty() && sheet_.find(from, true, col, row, foundCol, foundRow)) {
    if (sheet_.replaceInCell(foundCol, foundRow, from, to)) ++count;
    col = foundCol + 1;
    row = foundRow;
  }
  Nx_String report = dialString(1147) + " " + Nx_String(count) + " " + dialString(1148);
  ui::messageBox(report, dialString(1149), ui::MB_OK | ui::MB_ICONINFORMATION, this);
  if (grid::Sheet* s = sheet_.sheet()) s->setBool(ui::kSpreadOptionChanged, true);
  return count;
}
