#include "macrodlg/MacroProfilePage.h"

using namespace dlg_macro_profiles;
using ui::Resizer;

bool MacroProfilePage::onInitDialog() {
  KvMacroPage::onInitDialog();
  sheet_.attachToItem(this, IDC_PROFILES);
  sheet_.initAppearance(0);
  resizer().add(IDC_PROFILES, Resizer::dialog(Resizer::Edge::Left),
                Resizer::dialog(Resizer::Edge::Top), Resizer::dialog(Resizer::Edge::Right),
                Resizer::dialog(Resizer::Edge::Bottom));
  refresh();
  return false;
}

void MacroProfilePage::refresh() {
  macropage::readProfiles(data_, tabIndex(), shown_);
  withMacro_ = macropage::withMacro(data_, [](const Nx_Macro&) {});
  const int rows = static_cast<int>(shown_.size());
  sheet_.setMaxRows(0);
  sheet_.setMaxCols(kColumns);
  sheet_.setMaxRows(rows);
  sheet_.setColumnHeaders({"Profile group", "Member name", "Section", "Material"});
  if (rows > 0) sheet_.setStaticColumn(kGroupCol, 0);
  for (int r = 1; r <= rows; ++r) {
    const macropage::ProfileRow& row = shown_[static_cast<size_t>(r - 1)];
    sheet_.setCellText(kGroupCol, r, row.group);
    sheet_.setCellText(kMemberCol, r, row.memberName);
    sheet_.setCellText(kSectionCol, r, row.section);
    sheet_.setCellText(kMaterialCol, r, row.material);
    sheet_.setCellLocked(kSectionCol, r, !withMacro_);
    sheet_.setCellLocked(kMaterialCol, r, !withMacro_);
  }
  for (int c = kGroupCol; c <= kColumns; ++c) sheet_.fitColumnWidth(c);
}

void MacroProfilePage::store() {
  if (!sheet_.isAttached()) return;
  std::vector<macropage::ProfileRow> edited = shown_;
  for (size_t i = 0; i < edited.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    sheet_.getCellText(kMemberCol, r, edited[i].memberName);
    if (!withMacro_) continue;
    sheet_.getCellText(kSectionCol, r, edited[i].section);
    sheet_.getCellText(kMaterialCol, r, edited[i].material);
  }
  if (edited == shown_) return;
  macropage::writeProfiles(data_, tabIndex(), shown_, edited);
  refresh();
}

void MacroProfilePage::startSpecialMode() {
  if (!shown_.empty()) sheet_.userMoveTo(kSectionCol, 1);
}
