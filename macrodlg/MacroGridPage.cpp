#include "macrodlg/MacroGridPage.h"

#include "core/macro/MacroFilters.h"
#include "platform/arx/acutil.h"

using namespace dlg_macro_grid;
using ui::Resizer;

namespace {
// Sheet rows beyond these make the page ask for more room no further: it scrolls.
constexpr int kMostRowsShown = 12;
constexpr int kRowPixels = 20;

MacroGridPage::AdvancedOpener& advancedOpener() {
  static MacroGridPage::AdvancedOpener opener;
  return opener;
}

bool passes(const macropage::VariableRow& row, int filter) {
  if (filter == kShowVisibleVars) return row.visible;
  if (filter == kShowSettableVars) return row.settable;
  return true;
}
}  // namespace

MacroGridPage::MacroGridPage(MacroData& data, int tabIndex)
    : KvMacroPage(kTemplateId, data, tabIndex) {
  on(IDC_ASSEMBLY, ui::CBN_SELCHANGE, [this] { boltChoiceChanged(IDC_ASSEMBLY); });
  on(IDC_DIAMETER, ui::CBN_SELCHANGE, [this] { boltChoiceChanged(IDC_DIAMETER); });
  onClicked(IDC_ADVANCED, [this] { openAdvanced(); });
}

bool MacroGridPage::onInitDialog() {
  KvMacroPage::onInitDialog();
  sheet_.attachToItem(this, IDC_VARIABLES);
  sheet_.initAppearance(0);
  resizer().add(IDC_VARIABLES, Resizer::dialog(Resizer::Edge::Left),
                Resizer::dialog(Resizer::Edge::Top), Resizer::dialog(Resizer::Edge::Right),
                Resizer::dialog(Resizer::Edge::Bottom));
  resizer().add({IDC_ASSEMBLY_CAPTION, IDC_ASSEMBLY, IDC_DIAMETER_CAPTION, IDC_DIAMETER},
                Resizer::dialog(Resizer::Edge::Left), Resizer::dialog(Resizer::Edge::Bottom),
                Resizer::keepWidth(), Resizer::keepHeight());
  resizer().add(IDC_ADVANCED, Resizer::keepWidth(), Resizer::dialog(Resizer::Edge::Bottom),
                Resizer::dialog(Resizer::Edge::Right), Resizer::keepHeight());
  refresh();
  return false;
}

ui::Size MacroGridPage::neededSize() const {
  ui::Size size = KvMacroPage::neededSize();
  const int rows = static_cast<int>(shown_.size());
  const int extra = (std::min(rows, kMostRowsShown) - 3) * kRowPixels;
  if (extra > 0) size.height += extra;
  return size;
}

void MacroGridPage::refresh() {
  const MacroTabData* t = tab();
  std::vector<macropage::VariableRow> all;
  if (t && !macropage::readGroupVariables(data_, t->name, all)) {
    // Without the macro the tab still names its settable variables.
    for (const MacroFlexFixData& f : t->flexFix) {
      macropage::VariableRow row;
      row.name = f.variable;
      all.push_back(row);
    }
  }
  shown_.clear();
  for (const macropage::VariableRow& row : all)
    if (passes(row, data_.filter2)) shown_.push_back(row);

  const int rows = static_cast<int>(shown_.size());
  sheet_.setMaxRows(0);
  sheet_.setMaxCols(kColumns);
  sheet_.setMaxRows(rows);
  sheet_.setColumnHeaders({"Variable", "Value", "Visible", "Settable"});
  if (rows > 0) {
    sheet_.setStaticColumn(kNameCol, 0);
    sheet_.setCheckColumn(kVisibleCol, false, false);
    sheet_.setCheckColumn(kSettableCol, false, false);
  }
  for (int r = 1; r <= rows; ++r) {
    const macropage::VariableRow& row = shown_[static_cast<size_t>(r - 1)];
    sheet_.setCellText(kNameCol, r, row.name);
    sheet_.setCellText(kValueCol, r, row.value);
    sheet_.setCellBool(kVisibleCol, r, row.visible);
    sheet_.setCellBool(kSettableCol, r, row.settable);
    // Only a settable variable of the macro takes a value.
    sheet_.setCellLocked(kValueCol, r, !row.settable || row.module.isEmpty());
  }
  for (int c = kNameCol; c <= kColumns; ++c) sheet_.fitColumnWidth(c);
  fillBoltLists();
}

void MacroGridPage::store() {
  const MacroTabData* t = tab();
  if (!t || !sheet_.isAttached()) return;
  std::vector<macropage::VariableRow> edited = shown_;
  for (size_t i = 0; i < edited.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    macropage::VariableRow& row = edited[i];
    if (row.module.isEmpty()) continue;
    sheet_.getCellText(kValueCol, r, row.value);
    row.value.trim();
    sheet_.getCellBool(kVisibleCol, r, row.visible);
    sheet_.getCellBool(kSettableCol, r, row.settable);
  }
  if (edited == shown_) return;
  Nx_StringArray refused;
  macropage::writeGroupVariables(data_, t->name, shown_, edited, &refused);
  for (const Nx_String& name : refused)
    acutPrintf("*Error* %s: the value of %s must be a number; it keeps its value.\n",
               t->name.c_str(), name.c_str());
  refresh();
}

void MacroGridPage::fillBoltLists() {
  const MacroTabData* t = tab();
  const MacroBoltData* bolts = t ? t->getBoltData() : nullptr;
  Nx_StringArray assemblies, diameters;
  getBoltAssemblies(assemblies);
  getBoltDiameters(diameters);
  auto fill = [this](int id, const Nx_StringArray& entries, const Nx_String& current) {
    std::vector<std::string> texts;
    for (const Nx_String& e : entries) texts.push_back(e.str());
    // A value outside the catalogue is still the tab's value: it is offered too.
    if (!current.isEmpty() && !entries.contains(current, true)) texts.push_back(current.str());
    listSet(id, texts);
    listSelect(id, current.isEmpty() ? -1 : listFind(id, current.str()));
  };
  fill(IDC_ASSEMBLY, assemblies, bolts ? bolts->assembly : Nx_String());
  fill(IDC_DIAMETER, diameters, bolts ? bolts->diameter : Nx_String());
  for (int id : {IDC_ASSEMBLY_CAPTION, IDC_ASSEMBLY, IDC_DIAMETER_CAPTION, IDC_DIAMETER})
    enableItem(id, bolts != nullptr);
}

void MacroGridPage::boltChoiceChanged(int listId) {
  MacroTabData* t = tab();
  MacroBoltData* bolts = t ? t->getBoltData() : nullptr;
  const int pick = listSelection(listId);
  if (!bolts || pick < 0) return;
  (listId == IDC_ASSEMBLY ? bolts->assembly : bolts->diameter) = Nx_String(listText(listId, pick));
}

void MacroGridPage::setAdvancedOpener(AdvancedOpener opener) {
  advancedOpener() = std::move(opener);
}

void MacroGridPage::openAdvanced() {
  const MacroTabData* t = tab();
  if (!t || !advancedOpener()) return;
  store();
  const Nx_String name = t->name;
  advancedOpener()(data_, name);
  refresh();
}
