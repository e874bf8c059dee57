#include "spreadsheet/KvSSFormulaDlg.h"

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/DialogSizes.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"
#include "platform/arx/acutil.h"
#include "platform/grid/FormulaDisplay.h"
#include "platform/grid/formula/ReferenceStyle.h"
#include "spreadsheet/KvLookupTable.h"

using namespace dlg_ssformula;

namespace {
// The start-up sheet before a file is loaded: 8 columns of 10 rows, the
// first six of six rows number cells with 2 decimals.
constexpr int kStartCols = 8, kStartRows = 10, kNumberBlock = 6;
constexpr std::uint32_t kNumberStyle = 0x10000200;
constexpr double kNumberLimit = 99999999999999.0;
// Options the dialog sets on its sheet by number, as the control expects.
constexpr int kOptionProcessTab = 12;
}  // namespace

bool KvSSFormulaDlg::onInitDialog() {
  ui::Dialog::onInitDialog();
  setItemText(IDC_FILE, fileName);
  spread_.attachToItem(this, IDC_SHEET, true);
  setMinTrackSize(rect().size());
  using R = ui::Resizer;
  resizer().add(IDC_FILE, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add({IDC_LOAD, IDC_SAVE}, R::keepWidth(), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add(IDC_FORMULA, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add(IDC_SHEET, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::dialog(R::Edge::Bottom));
  resizer().add({IDC_STYLE_GROUP, IDC_STYLE_DEFAULT, IDC_STYLE_A1, IDC_STYLE_R1C1, IDC_AUTO_CALC},
                R::dialog(R::Edge::Left), R::dialog(R::Edge::Bottom), R::keepWidth(),
                R::keepHeight());
  resizer().add({IDC_RECALC, ui::IDOK}, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  if (shownToUser()) ChangeDlgSize(*this, kTemplateName);
  grid::Sheet& sheet = *spread_.sheet();
  sheet.setBool(kOptionProcessTab, true);
  sheet.setBool(grid::kOptionAutoCalc, false);

  onClicked(IDC_STYLE_DEFAULT, [this] { showRefStyle(IDC_STYLE_DEFAULT); });
  onClicked(IDC_STYLE_A1, [this] { showRefStyle(IDC_STYLE_A1); });
  onClicked(IDC_STYLE_R1C1, [this] { showRefStyle(IDC_STYLE_R1C1); });
  onClicked(IDC_AUTO_CALC, [this] { setAutoCalc(); });
  onClicked(IDC_RECALC, [this] { recalculate(); });
  onClicked(IDC_SAVE, [this] { save(); });
  onClicked(IDC_LOAD, [this] { load(); });
  for (int code : {ui::SPN_LEAVECELL, ui::SPN_CLICK, ui::SPN_DATACHANGE})
    on(IDC_SHEET, code, [this] { showActiveCell(); });

  // No entry uses a demonstration sheet: mode 3 opens on an empty sheet.
  if (mode == kDemonstration) return true;
  if (mode == kAnswerCall) {
    if (callingSheet && callResult) {
      KvFromTableCalls calls(callingFolder);
      answerFromTable(*callingSheet, calls, *callResult, callArgs);
    }
    endDialog(ui::IDOK);
    return true;
  }

  setCheck(IDC_AUTO_CALC, false);
  checkRadioButton(IDC_STYLE_DEFAULT, IDC_STYLE_R1C1, IDC_STYLE_DEFAULT);
  registerLookups();
  spread_.setMaxRows(kStartRows);
  spread_.setMaxCols(kStartCols);
  sheet.settings().autoSizeVisibleCols = 4;
  sheet.settings().autoSizeVisibleRows = 5;
  sheet.setTypeNumber({1, 1, kNumberBlock, kNumberBlock}, 2, -kNumberLimit, kNumberLimit, false,
                      kNumberStyle);
  bool loaded = true;
  if (loadFile) {
    acutPrintf("Loading spreadsheet:%s\n", fileName.c_str());
    loaded = loadSheet();
    if (!loaded) acutPrintf("Load failed\n");
  }
  // A file that did not load gives no result and no table, rather than
  // those of the empty start-up sheet.
  if (mode == kComputeCell && loaded) computeCell();
  showActiveCell();
  if (mode == kReadTable) {
    if (loaded) readTable();
    endDialog(ui::IDOK);
    return true;
  }
  // The user came for the sheet, not for the file name.
  focusItem(IDC_SHEET);
  return false;
}

void KvSSFormulaDlg::onOK() {
  if (shownToUser()) WriteDlgSize(*this, kTemplateName);
  ui::Dialog::onOK();
}

void KvSSFormulaDlg::onCancel() {
  if (shownToUser()) WriteDlgSize(*this, kTemplateName);
  ui::Dialog::onCancel();
}

void KvSSFormulaDlg::registerLookups() {
  registerFromTable(*spread_.sheet(), getPath(Nx_String(itemText(IDC_FILE))));
}

bool KvSSFormulaDlg::loadSheet() {
  std::string error;
  Nx_String path = toNativePath(Nx_String(itemText(IDC_FILE)));
  bool loaded = spread_.sheet()->loadFromFile(path.str(), error);
  if (!loaded) acutPrintf("*Error* %s\n", error.c_str());
  // A load drops the registrations; a failed one leaves the sheet as it was.
  registerLookups();
  // Values computed before the lookups were there are computed again.
  if (loaded) spread_.sheet()->reCalc();
  showActiveCell();
  // What the file set is kept; what the dialog's controls show follows it.
  setCheck(IDC_AUTO_CALC, spread_.sheet()->getBool(grid::kOptionAutoCalc));
  enableItem(IDC_RECALC, !isChecked(IDC_AUTO_CALC));
  int style = spread_.sheet()->settings().refStyle;
  checkRadioButton(IDC_STYLE_DEFAULT, IDC_STYLE_R1C1,
                   style == 1   ? IDC_STYLE_A1
                   : style == 2 ? IDC_STYLE_R1C1
                                : IDC_STYLE_DEFAULT);
  return loaded;
}

void KvSSFormulaDlg::showRefStyle(int item) {
  grid::setRefStyle(*spread_.sheet(), item - IDC_STYLE_DEFAULT);
  showActiveCell();
}

void KvSSFormulaDlg::showActiveCell() {
  int col = 0, row = 0;
  if (!spread_.getActiveCell(col, row)) return;
  const grid::Sheet& sheet = *spread_.sheet();
  bool r1c1 = sheet.settings().refStyle == static_cast<int>(grid::RefStyle::R1C1);
  setItemText(IDC_CELL, r1c1 ? "R" + std::to_string(row) + "C" + std::to_string(col)
                             : grid::cellName(col, row));
  setItemText(IDC_FORMULA, sheet.hasFormula(col, row) ? "=" + grid::displayFormula(sheet, col, row)
                                                      : sheet.getData(col, row));
}

void KvSSFormulaDlg::setAutoCalc() {
  bool on = isChecked(IDC_AUTO_CALC);
  spread_.sheet()->setBool(grid::kOptionAutoCalc, on);
  if (on) spread_.sheet()->reCalc();
  enableItem(IDC_RECALC, !on);
}

void KvSSFormulaDlg::recalculate() {
  // The user may have changed a looked-up table since the last time.
  KvLookupTables::recheck();
  spread_.sheet()->reCalc();
  showActiveCell();
}

void KvSSFormulaDlg::computeCell() {
  grid::Sheet& sheet = *spread_.sheet();
  sheet.reCalcCell(cellColumn, cellRow);
  resultText = sheet.getData(cellColumn, cellRow);
}

void KvSSFormulaDlg::readTable() {
  headers.removeAll();
  rows = Nx_Array<Nx_StringArray>();
  spread_.getCellText(1, 1, resultText);
  int cols = spread_.getMaxCols();
  for (int c = 1; c <= cols; ++c) {
    Nx_String caption;
    spread_.getCellText(c, Nx_Spread::kHeader, caption);
    headers.append(caption);
  }
  int count = spread_.getMaxRows();
  for (int r = 1; r <= count; ++r) {
    Nx_StringArray& row = rows.emplace();
    for (int c = 1; c <= cols; ++c) {
      Nx_String text;
      spread_.getCellText(c, r, text);
      row.append(text);
    }
  }
}

void KvSSFormulaDlg::save() {
  std::string error;
  Nx_String path = toNativePath(Nx_String(itemText(IDC_FILE)));
  if (path.isEmpty() || !spread_.sheet()->saveToFile(path.str(), error, false))
    acutPrintf("Save failed\n");
}

void KvSSFormulaDlg::load() {
  if (!loadSheet()) acutPrintf("Load failed\n");
}

// The fixed sheet of EvaluateSS: "Tables/t3.sss" in the library folder.
void EvaluateSS() {
  guardExport("EvaluateSS", [] {
    KvResourceScope scope;
    KvSSFormulaDlg dlg;
    dlg.mode = KvSSFormulaDlg::kComputeCell;
    dlg.fileName = gSettings.libDir + "Tables/t3.sss";
    dlg.loadFile = true;
    dlg.doModal();
  });
}

void ReadSSFile(const Nx_String& file, Nx_String& result, Nx_StringArray& captions,
                Nx_Array<Nx_StringArray>& rows) {
  guardExport("ReadSSFile", [&] {
    KvResourceScope scope;
    KvSSFormulaDlg dlg;
    dlg.mode = KvSSFormulaDlg::kReadTable;
    dlg.fileName = file;
    dlg.loadFile = true;
    dlg.headers = captions;
    dlg.rows = rows;
    dlg.doModal();
    captions = dlg.headers;
    rows = dlg.rows;
    result = dlg.resultText;
  });
}
