#include "dialogs/KvSectionTranslationDlg.h"

#include "core/SectionTranslation.h"
#include "core/dialString.h"
#include "platform/ui/ListControl.h"
#include "resources/dialogs/DLG_SECTIONTRANSLATION.h"

using namespace dlg_sectiontranslation;

namespace {
// The module's editor is the core's from the moment the module loads.
const bool gInstalled = (setSectionTranslationEditor(&KvSectionTranslationDlg::edit), true);
}  // namespace

KvSectionTranslationDlg::KvSectionTranslationDlg(Nx_String title, Nx_String heading,
                                                 const Nx_StringArray& names,
                                                 const Nx_StringArray& cis2Names)
    : Dialog(kTemplateId),
      title_(std::move(title)),
      heading_(std::move(heading)),
      names_(names),
      cis2_(cis2Names) {
  cis2_.setLength(names_.length());
  on(IDC_LIST, ui::LBN_SELCHANGE, [this] { showRow(); });
  on(IDC_NAME, ui::EN_CHANGE, [this] { rowEdited(); });
  on(IDC_CIS2, ui::EN_CHANGE, [this] { rowEdited(); });
  onClicked(IDC_ADD, [this] { addRow(); });
  onClicked(IDC_DELETE, [this] { deleteRow(); });
}

Nx_String KvSectionTranslationDlg::rowText(const Nx_String& name, const Nx_String& cis2) {
  return name + "  ->  " + cis2;
}

bool KvSectionTranslationDlg::onInitDialog() {
  setText(title_);
  setItemText(IDC_HEADING, heading_);
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  setMinTrackSize(rect().size());
  using R = ui::Resizer;
  resizer().add(IDC_LIST, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::dialog(R::Edge::Bottom));
  resizer().add({IDC_NAME_CAPTION, IDC_CIS2_CAPTION, IDC_ADD, IDC_DELETE}, R::dialog(R::Edge::Left),
                R::dialog(R::Edge::Bottom), R::keepWidth(), R::keepHeight());
  resizer().add({IDC_NAME, IDC_CIS2}, R::dialog(R::Edge::Left), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add({ui::IDOK, ui::IDCANCEL}, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add(IDC_HEADING, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::keepHeight());
  fillList(names_.isEmpty() ? -1 : 0);
  return true;
}

void KvSectionTranslationDlg::fillList(int select) {
  std::vector<std::string> rows;
  for (int i = 0; i < names_.length(); ++i) rows.push_back(rowText(names_[i], cis2_[i]).str());
  listSet(IDC_LIST, rows);
  listSelect(IDC_LIST, select);
  showRow();
}

void KvSectionTranslationDlg::showRow() {
  int row = listSelection(IDC_LIST);
  bool valid = names_.isValid(row);
  showing_ = true;
  setItemText(IDC_NAME, valid ? names_[row].str() : std::string());
  setItemText(IDC_CIS2, valid ? cis2_[row].str() : std::string());
  showing_ = false;
  for (int id : {IDC_NAME, IDC_CIS2, IDC_DELETE}) enableItem(id, valid);
}

void KvSectionTranslationDlg::rowEdited() {
  int row = listSelection(IDC_LIST);
  if (showing_ || !names_.isValid(row)) return;
  names_[row] = itemText(IDC_NAME);
  cis2_[row] = itemText(IDC_CIS2);
  if (auto* list = itemAs<ui::ListBox>(IDC_LIST))
    list->setItemText(row, rowText(names_[row], cis2_[row]));
}

void KvSectionTranslationDlg::addRow() {
  names_.append("");
  cis2_.append("");
  fillList(names_.length() - 1);
  focusItem(IDC_NAME);
}

void KvSectionTranslationDlg::deleteRow() {
  int row = listSelection(IDC_LIST);
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
