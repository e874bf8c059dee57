#include "mapping/KvGenVarsDlg.h"

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/ArrayHelpers.h"
#include "core/DialogSizes.h"
#include "core/FileDialogs.h"
#include "core/Nx_Settings.h"
#include "core/dialString.h"
#include "resources/dialogs/DLG_GENVARS.h"

using namespace dlg_genvars;

namespace {
constexpr int kUpIcon = 257, kDownIcon = 258;
constexpr int kUpTip = 173, kDownTip = 174;
// Column header texts of the two tables.
constexpr int kFirstHeaders[] = {1543, 86, 347};
constexpr int kSecondHeaders[] = {1543, 86, 1765, 347};
const char* const kButtonCaption = "...";
const char* const kMacrosFolder = "Macros/";
}  // namespace

const KvGenVarsDlg::TableItems KvGenVarsDlg::kItems[kTableCount] = {
    {IDC_FIRST_GROUP, IDC_FIRST_SHEET, IDC_FIRST_ADD, IDC_FIRST_REMOVE, IDC_FIRST_UP,
     IDC_FIRST_DOWN, 1762},
    {IDC_SECOND_GROUP, IDC_SECOND_SHEET, IDC_SECOND_ADD, IDC_SECOND_REMOVE, IDC_SECOND_UP,
     IDC_SECOND_DOWN, 1763},
};

KvGenVarsDlg::KvGenVarsDlg(const KvAutoStandardsData& data)
    : Dialog(kTemplateId),
      data_(data),
      firstColumns_{&data_.names, &data_.values, &data_.drawings},
      secondColumns_{&data_.groupVarNames, &data_.groupVarValues, &data_.groupVarGroups,
                     &data_.groupVarDrawings} {
  for (int table = 0; table < kTableCount; ++table) {
    const TableItems& t = kItems[table];
    onClicked(t.add, [this, table] { addRow(table); });
    onClicked(t.remove, [this, table] { removeRow(table); });
    onClicked(t.up, [this, table] { moveRow(table, true); });
    onClicked(t.down, [this, table] { moveRow(table, false); });
    on(t.sheet, ui::SPN_BUTTONCLICK, [this, table] { chooseDrawings(table); });
  }
}

Nx_StringArray* const* KvGenVarsDlg::columns(int table) const {
  return table == kFirst ? firstColumns_ : secondColumns_;
}

int KvGenVarsDlg::columnCount(int table) const {
  return table == kFirst ? 3 : 4;
}

bool KvGenVarsDlg::onInitDialog() {
  setMinTrackSize(rect().size());
  setupResizeRules();
  ChangeDlgSize(*this, kSizeName);
  setText(dialString(1764));
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  for (int table = 0; table < kTableCount; ++table) {
    const TableItems& t = kItems[table];
    Nx_Spread& s = sheets_[table];
    if (s.attachToItem(this, t.sheet)) s.initAppearance(0);
    setItemIcon(t.up, kUpIcon);
    setItemIcon(t.down, kDownIcon);
    setItemToolTip(t.up, dialString(kUpTip));
    setItemToolTip(t.down, dialString(kDownTip));
    setItemText(t.group, dialString(t.groupText));
    setItemText(t.add, dialString(606));
    setItemText(t.remove, dialString(607));
    fillTable(table);
  }
  return true;
}

void KvGenVarsDlg::setupResizeRules() {
  using R = ui::Resizer;
  const R::Anchor left = R::dialog(R::Edge::Left), top = R::dialog(R::Edge::Top);
  const R::Anchor right = R::dialog(R::Edge::Right), bottom = R::dialog(R::Edge::Bottom);
  // The first table takes the upper half, the second the lower; the buttons
  // stay at the right of their table.
  resizer().add({IDC_FIRST_GROUP, IDC_FIRST_SHEET}, left, top, right, R::middle());
  resizer().add({IDC_FIRST_ADD, IDC_FIRST_REMOVE, IDC_FIRST_UP, IDC_FIRST_DOWN}, R::keepWidth(),
                top, right, R::keepHeight());
  resizer().add({IDC_SECOND_GROUP, IDC_SECOND_SHEET}, left, R::middle(), right, bottom);
  resizer().add({IDC_SECOND_ADD, IDC_SECOND_REMOVE, IDC_SECOND_UP, IDC_SECOND_DOWN}, R::keepWidth(),
                R::middle(), right, R::keepHeight());
  resizer().add({ui::IDOK, ui::IDCANCEL}, R::keepWidth(), bottom, right, R::keepHeight());
}

void KvGenVarsDlg::fillTable(int table) {
  Nx_Spread& s = sheets_[table];
  const int count = columnCount(table);
  const int* headers = table == kFirst ? kFirstHeaders : kSecondHeaders;
  s.setMaxCols(count + 1);
  Nx_StringArray captions;
  for (int col = 0; col < count; ++col) captions.append(dialString(headers[col]));
  captions.append(Nx_String());
  s.setColumnHeaders(captions);
  Nx_StringArray* const* lists = columns(table);
  int rows = lists[0]->length();
  s.setMaxRows(rows > 0 ? rows : 1);
  for (int col = 0; col < count; ++col) {
    // A shorter list leaves its remaining cells empty.
    Nx_StringArray values = *lists[col];
    values.setLength(rows);
    s.setColumnValues(col + 1, values, false);
  }
  refreshTable(table);
}

void KvGenVarsDlg::refreshTable(int table) {
  Nx_Spread& s = sheets_[table];
  const int buttonCol = columnCount(table) + 1;
  s.mergeEqualCells(1);
  s.setButtonColumn(buttonCol, kButtonCaption, true);
  for (int col = 1; col <= buttonCol; ++col) s.fitColumnWidth(col);
  // On resizing, the data columns share the sheet's width; the buttons keep theirs.
  AcArray<int> fixed, shared;
  fixed.append(buttonCol);
  for (int col = 1; col < buttonCol; ++col) shared.append(col);
  s.setSizeAction(5, fixed, shared);
}

void KvGenVarsDlg::addRow(int table) {
  Nx_Spread& s = sheets_[table];
  int row = s.getSelectedRow();
  // Without a selected row the new one goes to the end.
  if (row < 1 || row > s.getMaxRows()) row = s.getMaxRows() + 1;
  s.insertRow(row, false, false);
  refreshTable(table);
}

void KvGenVarsDlg::removeRow(int table) {
  sheets_[table].deleteSelectedRow();
  refreshTable(table);
}

void KvGenVarsDlg::moveRow(int table, bool up) {
  Nx_Spread& s = sheets_[table];
  if (up)
    s.moveSelectedRowUp();
  else
    s.moveSelectedRowDown();
  refreshTable(table);
}

void KvGenVarsDlg::chooseDrawings(int table) {
  Nx_Spread& s = sheets_[table];
  int col = 0, row = 0;
  if (!s.getActiveCell(col, row) || row < 1) return;
  const Nx_String folder = gSettings.libDir + kMacrosFolder;
  Nx_StringArray chosen;
  // The product's drawings are JSON files.
  if (!DlgOpenMulti("Drawings", "json", folder,
                    "Select the drawings and folders that apply to this general variable", chosen,
                    this))
    return;
  const int drawingsCol = columnCount(table);
  Nx_String cell;
  s.getCellText(drawingsCol, row, cell);
  Nx_StringArray paths;
  if (!cell.isEmpty()) strToArr(cell, paths);
  for (const Nx_String& path : chosen)
    if (path.startsWith(folder, true)) paths.append(path.mid(folder.length()));
  s.setCellText(drawingsCol, row, arrToStr(paths));
}

void KvGenVarsDlg::readBack(int table) {
  Nx_Spread& s = sheets_[table];
  Nx_StringArray* const* lists = columns(table);
  for (int col = 0; col < columnCount(table); ++col) s.getColumnValues(col + 1, *lists[col]);
}

void KvGenVarsDlg::onOK() {
  for (int table = 0; table < kTableCount; ++table) readBack(table);
  WriteDlgSize(*this, kSizeName);
  Dialog::onOK();
}

void KvGenVarsDlg::onCancel() {
  WriteDlgSize(*this, kSizeName);
  Dialog::onCancel();
}

bool StartDlgGenVars(KvAutoStandardsData& data) {
  return guardExport("StartDlgGenVars", false, [&] {
    KvResourceScope scope;
    KvGenVarsDlg dlg(data);
    if (dlg.doModal() != ui::IDOK) return false;
    data = dlg.data();
    return true;
  });
}
