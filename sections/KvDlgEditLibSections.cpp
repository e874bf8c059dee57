#include "sections/KvDlgEditLibSections.h"

#include <cmath>

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/ArrayHelpers.h"
#include "core/DialogSizes.h"
#include "core/FileSearch.h"
#include "core/MacroLangs.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"
#include "core/StringHelpers.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "core/sections/SectionProperties.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_EDITLIBSECTIONS.h"
#include "sections/KvDlgEditLibSimple.h"

using namespace dlg_editlibsections;

namespace {
constexpr const char* kSizeName = "DLG_EDITLIBSECTIONS";
constexpr const char* kCaption = "Section library";
constexpr int kFaultsShown = 12;
// The properties sheet: name, table value, computed value, difference.
constexpr int kPropertyColumns = 4;
constexpr std::uint32_t kFlagText = 0x000000C0;        // dark red (0x00BBGGRR)
constexpr std::uint32_t kFlagBackground = 0x00E0E0FF;  // pale red

Nx_String number(double v) {
  double a = std::fabs(v);
  return Nx_String(v, a < 10 ? 3 : a < 1000 ? 2 : 1, false);
}

bool parametricShape(const Nx_String& templateName, int& shape) {
  if (endsWith(templateName, ".dwg", false) || !templateName.toInt(shape)) return false;
  return sectionKind(shape) != SectionKind::Unknown;
}

void warn(const ui::Window* owner, const Nx_String& text) {
  ui::messageBox(text.str(), kCaption, ui::MB_OK | ui::MB_ICONWARNING, owner);
}
}  // namespace

KvDlgEditLibSections::KvDlgEditLibSections(const DlgEditLibData& data, const Nx_String& firstTable)
    : Dialog(kTemplateId), data_(data) {
  if (data_.currentTable.isEmpty()) data_.currentTable = firstTable;
  on(IDC_TABLES, ui::LBN_SELCHANGE, [this] {
    int i = listSelection(IDC_TABLES);
    if (i >= 0) openTable(listText(IDC_TABLES, i));
  });
  onClicked(IDC_ADD_SIZE, [this] { addSize(); });
  onClicked(IDC_DELETE_SIZE, [this] { deleteSize(); });
  onClicked(IDC_SAVE_TABLE, [this] { saveTable(); });
  for (int code : {ui::SPN_LEAVECELL, ui::SPN_CLICK})
    on(IDC_SIZES, code, [this] { showSize(selectedSize()); });
  on(IDC_SIZES, ui::SPN_DATACHANGE, [this] {
    if (Entry* e = tables_.count(current_.str()) ? &tables_[current_.str()] : nullptr)
      e->modified = true;
    showSize(selectedSize());
  });
  on(IDC_SIZES, ui::SPN_HEADERSELECT, [this] {
    // A column's header selects the whole column (rows -1); a row's header does not sort.
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (sizes_.getSelection(c1, r1, c2, r2) && c1 == c2 && c1 >= 1 &&
        (r1 == -1 || (r1 <= 1 && r2 >= sizes_.getMaxRows())))
      sortBy(c1);
  });
}

bool KvDlgEditLibSections::onInitDialog() {
  sizes_.attachToItem(this, IDC_SIZES);
  sizes_.initAppearance(0);
  properties_.attachToItem(this, IDC_PROPERTIES);
  properties_.initAppearance(0);
  view_.attachToItem(this, IDC_SECTION_VIEW);

  setMinTrackSize(rect().size());
  using R = ui::Resizer;
  resizer().add({ui::IDOK, ui::IDCANCEL}, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add(IDC_PROPERTIES, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  // The cross-section takes the height the dialog gains; the sheet of sizes the width.
  resizer().add(IDC_SECTION_VIEW, R::keepWidth(), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::control(IDC_PROPERTIES, R::Edge::Top));
  resizer().add(IDC_SIZES, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::control(IDC_SECTION_VIEW, R::Edge::Left), R::dialog(R::Edge::Bottom));
  resizer().add(IDC_TABLES, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top), R::keepWidth(),
                R::dialog(R::Edge::Bottom));
  resizer().add({IDC_ADD_SIZE, IDC_DELETE_SIZE, IDC_SAVE_TABLE, IDC_STATUS},
                R::dialog(R::Edge::Left), R::dialog(R::Edge::Bottom), R::keepWidth(),
                R::keepHeight());
  ChangeDlgSize(*this, kSizeName);

  fillTableList();
  Nx_String first = data_.currentTable;
  if (listFind(IDC_TABLES, first.str()) < 0 && listCount(IDC_TABLES) > 0)
    first = listText(IDC_TABLES, 0);
  if (first.isEmpty() || !openTable(first)) {
    view_.clear("No section table in " + toNativePath(gSettings.libDir + "prof") + ".");
    status("The library has no section tables.");
  }
  return true;
}

void KvDlgEditLibSections::fillTableList() {
  Nx_StringArray paths;
  ObjectExportFindFiles(gSettings.libDir + "prof", "*.pr", paths);
  std::vector<std::string> names;
  for (const Nx_String& p : paths) names.push_back(removeExtension(getFileName(p)).str());
  listSet(IDC_TABLES, names);
}

bool KvDlgEditLibSections::isModified(const Nx_String& name) const {
  auto it = tables_.find(name.str());
  return it != tables_.end() && it->second.modified;
}

void KvDlgEditLibSections::storeSheet() {
  auto it = tables_.find(current_.str());
  if (it == tables_.end()) return;
  grid::Sheet* sheet = sizes_.sheet();
  if (sheet && sheet->getBool(ui::kSpreadOptionChanged)) it->second.modified = true;
  Nx_ProfValuesTable& t = it->second.table;
  Nx_String name = t.tableName;
  if (sizes_.getMaxRows() > 0) t.getFromSS(sizes_);
  t.tableName = name;
  if (sheet) sheet->setBool(ui::kSpreadOptionChanged, false);
}

Nx_ProfValuesTable KvDlgEditLibSections::currentTable() {
  storeSheet();
  auto it = tables_.find(current_.str());
  return it == tables_.end() ? Nx_ProfValuesTable() : it->second.table;
}

bool KvDlgEditLibSections::openTable(const Nx_String& name) {
  storeSheet();
  auto it = tables_.find(name.str());
  if (it == tables_.end()) {
    Entry entry;
    if (!entry.table.readFromFile(name, &entry.problems)) {
      warn(this, entry.problems.isEmpty() ? "Cannot read " + Nx_ProfValuesTable::filePath(name)
                                          : entry.problems[0]);
      return false;
    }
    entry.table.tableName = name;
    it = tables_.emplace(name.str(), std::move(entry)).first;
    const Nx_StringArray& problems = it->second.problems;
    if (!problems.isEmpty()) {
      Nx_String text = "Parts of this table could not be read:\n\n";
      for (int i = 0; i < problems.length() && i < kFaultsShown; ++i) text += problems[i] + "\n";
      if (problems.length() > kFaultsShown)
        text += "... and " + Nx_String(problems.length() - kFaultsShown) + " more.\n";
      warn(this, text);
    }
  }
  current_ = name;
  sortColumn_ = 0;
  listSelect(IDC_TABLES, listFind(IDC_TABLES, name.str()));
  showTable();
  selectSize(1);
  const Entry& e = it->second;
  status(Nx_String(e.table.rows.length()) + " sizes in " +
         toNativePath(Nx_ProfValuesTable::filePath(name)) +
         (e.problems.isEmpty()
              ? Nx_String()
              : ", " + Nx_String(e.problems.length()) + " faults found in the file"));
  return true;
}

void KvDlgEditLibSections::showTable() {
  auto it = tables_.find(current_.str());
  if (it == tables_.end()) return;
  it->second.table.setToSS(sizes_);
  enableItem(IDC_DELETE_SIZE, sizes_.getMaxRows() > 0);
  enableItem(IDC_ADD_SIZE, sizes_.getMaxRows() > 0);
}

int KvDlgEditLibSections::selectedSize() {
  int col = 0, row = 0;
  if (!sizes_.getActiveCell(col, row) || row < 1 || row > sizes_.getMaxRows()) return 0;
  return row;
}

bool KvDlgEditLibSections::selectSize(int row) {
  if (row < 1 || row > sizes_.getMaxRows()) {
    showSize(0);
    return false;
  }
  if (grid::Sheet* s = sizes_.sheet()) s->setActiveCell(1, row);
  sizes_.selectRow(row);
  showSize(row);
  return true;
}

void KvDlgEditLibSections::showSize(int row) {
  shownRow_ = row;
  auto it = tables_.find(current_.str());
  Nx_StringArray cells;
  if (it == tables_.end() || row < 1 || !sizes_.getRowValues(row, cells)) {
    view_.clear("Select a size to see its cross-section.");
    properties_.setMaxRows(0);
    return;
  }
  const Nx_ProfValuesTable& t = it->second.table;
  int shape = 0;
  if (!parametricShape(t.templateName, shape)) {
    view_.clear("This table's sections are drawn by " + t.templateName +
                "; there is no outline to show.");
    properties_.setMaxRows(0);
    return;
  }
  Nx_StringArray names = t.getValueNames(), values = t.valuesOf(cells);
  int language = t.getColumnIdx(MacroLangs::GetCurLanguage());
  Nx_String title =
      cells.isValid(language) && !cells[language].isEmpty() ? cells[language] : cells[0];
  view_.setSection(shape, shapeDimensions(shape, names, values), title);
  fillProperties(shape, names, values);
}

void KvDlgEditLibSections::fillProperties(int shape, const Nx_StringArray& names,
                                          const Nx_StringArray& values) {
  std::vector<SectionPropertyCheck> checks = checkSectionProperties(shape, names, values);
  grid::Sheet* sheet = properties_.sheet();
  if (!sheet) return;
  sheet->setBool(grid::kOptionRedraw, false);
  properties_.setMaxRows(0);
  properties_.setMaxCols(kPropertyColumns);
  properties_.setMaxRows(static_cast<int>(checks.size()));
  properties_.setColumnHeaders({"Property", "Table", "Computed", "Difference"});
  int flagged = 0;
  for (size_t i = 0; i < checks.size(); ++i) {
    const SectionPropertyCheck& c = checks[i];
    int row = static_cast<int>(i) + 1;
    Nx_String difference =
        c.readable ? Nx_String(c.deviation() * 100, 1, false) + "%" : "not a number";
    bool differs = c.differs();
    if (differs) difference += " !";
    properties_.setRowValues(row,
                             {Nx_String(c.name), values.isValid(c.column) ? values[c.column] : "",
                              number(c.computed), difference},
                             false);
    if (differs) {
      sheet->setColor({1, row, kPropertyColumns, row}, kFlagBackground, kFlagText);
      ++flagged;
    }
  }
  for (int c = 1; c <= kPropertyColumns; ++c) properties_.setStaticColumn(c, 0);
  properties_.fitAll();
  for (int c = 1; c <= kPropertyColumns; ++c) {
    properties_.fitColumnWidth(c);
    sheet->setColWidth(c, sheet->colWidth(c) + 1);  // room for the cell margins
  }
  sheet->setBool(grid::kOptionRedraw, true);
  if (flagged > 0)
    status(Nx_String(flagged) +
           " of the table's values differ from the computed ones by more "
           "than 1% (marked).");
}

bool KvDlgEditLibSections::sortBy(int column) {
  auto it = tables_.find(current_.str());
  if (it == tables_.end() || column < 1) return false;
  storeSheet();
  sortDescending_ = column == sortColumn_ && !sortDescending_;
  sortColumn_ = column;
  if (!it->second.table.sortRows(column - 1, sortDescending_)) return false;
  it->second.modified = true;
  showTable();
  selectSize(1);
  return true;
}

bool KvDlgEditLibSections::addSize() {
  auto it = tables_.find(current_.str());
  if (it == tables_.end()) return false;
  storeSheet();
  Entry& e = it->second;
  int row = std::max(selectedSize(), shownRow_);
  Nx_String start = e.table.rows.isValid(row - 1) && !e.table.rows[row - 1].isEmpty()
                        ? e.table.rows[row - 1][0]
                        : Nx_String();
  KvDlgEditLibSimple editor(e.table, start);
  if (editor.doModal() != ui::IDOK || editor.insertedRow() < 0) return false;
  e.table = editor.table();
  e.modified = true;
  showTable();
  selectSize(editor.insertedRow() + 1);
  status("Added " + e.table.rows[editor.insertedRow()][0] + "; save the table to keep it.");
  return true;
}

bool KvDlgEditLibSections::deleteSize() {
  auto it = tables_.find(current_.str());
  int row = selectedSize();
  if (it == tables_.end() || row < 1) return false;
  storeSheet();
  Entry& e = it->second;
  Nx_String name = e.table.rows.isValid(row - 1) && !e.table.rows[row - 1].isEmpty()
                       ? e.table.rows[row - 1][0]
                       : Nx_String();
  if (!e.table.deleteRow(row - 1)) return false;
  e.modified = true;
  showTable();
  selectSize(std::min(row, e.table.rows.length()));
  status("Deleted " + name + "; save the table to make it final.");
  return true;
}

bool KvDlgEditLibSections::saveEntry(const Nx_String& name, Entry& entry) {
  Nx_StringArray systemNames;
  entry.table.getColumn(systemNames, 0);
  AcArray<int> duplicates;
  for (int i = 0; i < systemNames.length(); ++i)
    if (systemNames[i].isEmpty()) {
      warn(this, "Size " + Nx_String(i + 1) + " of " + name +
                     " has no system name; the table is "
                     "not saved.");
      return false;
    }
  if (getDuplicates(systemNames, duplicates, false)) {
    warn(this, "The system name \"" + systemNames[duplicates[0]] + "\" occurs twice in " + name +
                   "; the table is not saved.");
    return false;
  }
  Nx_String error;
  if (!entry.table.writeToFile(name, &error)) {
    warn(this, "The table could not be saved; the file is as it was.\n\n" + error);
    return false;
  }
  entry.table.setToGlobals(&gSectionTables);
  entry.modified = false;
  if (!data_.savedTables.contains(name, false)) data_.savedTables.append(name);
  return true;
}

bool KvDlgEditLibSections::saveTable() {
  auto it = tables_.find(current_.str());
  if (it == tables_.end()) return false;
  storeSheet();
  if (!saveEntry(current_, it->second)) return false;
  status("Saved " + toNativePath(Nx_ProfValuesTable::filePath(current_)) + ".");
  return true;
}

bool KvDlgEditLibSections::confirmDiscard() {
  Nx_String changed;
  for (const auto& [name, entry] : tables_)
    if (entry.modified) changed += (changed.isEmpty() ? "" : ", ") + Nx_String(name);
  if (changed.isEmpty()) return true;
  return ui::messageBox(("Discard the unsaved changes of " + changed + "?").str(), kCaption,
                        ui::MB_YESNO | ui::MB_ICONQUESTION, this) == ui::IDYES;
}

void KvDlgEditLibSections::onOK() {
  storeSheet();
  for (auto& [name, entry] : tables_)
    if (entry.modified && !saveEntry(Nx_String(name), entry)) return;
  data_.currentTable = current_;
  WriteDlgSize(*this, kSizeName);
  Dialog::onOK();
}

void KvDlgEditLibSections::onCancel() {
  storeSheet();
  if (!confirmDiscard()) return;
  WriteDlgSize(*this, kSizeName);
  Dialog::onCancel();
}

void KvDlgEditLibSections::onSize(ui::Size client) {
  Dialog::onSize(client);
  view_.invalidate();
}

void KvDlgEditLibSections::status(const Nx_String& text) {
  setItemText(IDC_STATUS, text);
}

bool StartDlgEditLibSections(DlgEditLibData& data, const Nx_String& firstTable) {
  return guardExport("StartDlgEditLibSections", false, [&] {
    KvResourceScope scope;
    KvDlgEditLibSections dlg(data, firstTable);
    if (dlg.doModal() != ui::IDOK) return false;
    data = dlg.data();
    return true;
  });
}
