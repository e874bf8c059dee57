#include "dialogs/KvSectionTranslationDlg.h"

#include "core/SectionTranslation.h"
#include "core/dialString.h"
#include "platform/ui/ListControl.h"

namespace {
// The module's editor is the core's from the moment the module loads.
const bool gInstalled = (setSectionTranslationEditor(&KvSectionTranslationDlg::edit), true);
}  // namespace

KvSectionTranslationDlg::KvSectionTranslationDlg(Nx_String title, Nx_String heading,
                                                 const Nx_StringArray& names,
                                                 const Nx_StringArray& cis2Names)
    : Dialog(kTemplate),
      title_(std::move(title)),
      heading_(std::move(heading)),
      names_(names),
      cis2_(cis2Names) {
  cis2_.setLength(names_.length());
  on(kList, ui::LBN_SELCHANGE, [this] { showRow(); });
  on(kName, ui::EN_CHANGE, [this] { rowEdited(); });
  on(kCis2, ui::EN_CHANGE, [this] { rowEdited(); });
  onClicked(1088, [this] { addRow(); });
  onClicked(1089, [this] { deleteRow(); });
}

Nx_String KvSectionTranslationDlg::rowText(const Nx_String& name, const Nx_String& cis2) {
  return name + "  ->  " + cis2;
}

bool KvSectionTranslationDlg::onInitDialog() {
  setText(title_);
  setItemText(kHeading, heading_);
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  setMinTrackSize(rect().size());
  using R = ui::Resizer;
  resizer().add(kList, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top), R::dialog(R::Edge::Right),
                R::dialog(R::Edge::Bottom));
  resizer().add({1003, 1005, 1088, 1089}, R::dialog(R::Edge::Left), R::dialog(R::Edge::Bottom),
                R::keepWidth(), R::keepHeight());
  resizer().add({kName, kCis2}, R::dialog(R::Edge::Left), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add({ui::IDOK, ui::IDCANCEL}, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add(kHeading, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::keepHeight());
  fillList(names_.isEmpty() ? -1 : 0);
  return true;
}

void KvSectionTranslationDlg::fillList(int select) {
  std::vector<std::string> rows;
  for (int i = 0; i < names_.length(); ++i) rows.push_back(rowText(names_[i], cis2_[i]).str());
  listSet(kList, rows);
  listSelect(kList, select);
  showRow();
}

void KvSectionTranslationDlg::showRow() {
  int row = listSelection(kList);
  bool valid = names_.isValid(row);
  showing_ = true;
  setItemText(kName, valid ? names_[row].str() : std::string());
  setItemText(kCis2, valid ? cis2_[row].str() : std::string());
  showing_ = false;
  for (int id : {int(kName), int(kCis2), 1089}) enableItem(id, valid);
}

void KvSectionTranslationDlg::rowEdited() {
  int row = listSelection(kList);
  if (showing_ || !names_.isValid(row)) return;
  names_[row] = itemText(kName);
  cis2_[row] = itemText(kCis2);
  if (auto* list = itemAs<ui::ListBox>(kList))
    list->setItemText(row, rowText(names_[row], cis2_[row]));
}

void KvSectionTranslationDlg::addRow() {
  names_.append("");
  cis2_.append("");
  fillList(names_.length() - 1);
  focusItem(kName);
}

void KvSectionTranslationDlg::deleteRow() {
  int row = listSelection(kList);
  if (!names_.isValid(row)) return;
  names_.removeAt(row);
  cis2_.removeAt(row);
  fillList(names_.isEmpty() ? -1 : std::min(row, names_.length() - 1));
}

bool KvSectionTranslationDlg::edit(const Nx_String& title, const Nx_String& heading,
                                   Nx_StringArray& names, Nx_StringArray& cis2Names) {
  KvSectionTranslationDlg dlg(title, heading, names, cis2Names);
  if (dlg.doModal() != ui::IDOK) return false;
  names = dlg.names();
  cis2Names = dlg.cis2Names();
  return true;
}
