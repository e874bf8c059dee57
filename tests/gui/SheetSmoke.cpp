// gui_sheet FILE.png: a dialog with a sheet holding every cell type, merged
// cells, a locked column and a check-box link, shown through the wxWidgets
// backend. It checks what the grid widget shows against the sheet, saves a
// screenshot and closes the dialog.
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/grid.h>
#include <wx/timer.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/wx/WxBackend.h"
#include "resources/dialogs/DLG_FINDREPLACE.h"
#include "spreadsheet/FindReplaceDlg.h"
#include "spreadsheet/Nx_Spread.h"

namespace {
constexpr int kTemplate = 9701;
constexpr int kSheetItem = 1000;
enum Col { kPart = 1, kName, kLength, kGrade, kUse, kCount, kPick };

void registerTemplate() {
  ui::Resources::addTemplate("gui-tests", "gui/9701.json", R"({
    "id": 9701, "name": "DLG_SHEETSMOKE", "caption": "Bill of material",
    "size": [420, 200],
    "style": ["WS_POPUP", "WS_CAPTION", "WS_SYSMENU", "WS_THICKFRAME"],
    "items": [
      {"type": "LTEXT", "id": 1000, "rect": [7, 7, 406, 166], "text": ""},
      {"type": "DEFPUSHBUTTON", "id": 1, "rect": [307, 179, 50, 14], "text": "OK"},
      {"type": "PUSHBUTTON", "id": 2, "rect": [363, 179, 50, 14], "text": "Cancel"}
    ]})");
}

// The sheet a user of a grid dialog meets: typed columns, merged part names,
// a locked column, check boxes that lock their count, a picture row.
class SheetDialog : public ui::Dialog {
 public:
  SheetDialog() : Dialog(kTemplate) {}

  bool onInitDialog() override {
    Nx_Spread& s = sheet;
    if (!s.attachToItem(this, kSheetItem, true)) return true;
    s.initAppearance(1);
    s.setMaxCols(kPick);
    s.setMaxRows(8);
    s.setColumnHeaders({"Part", "Name", "Length", "Grade", "Use", "Count", "File"});
    s.setColumnValues(kPart, {"Plate", "Plate", "Plate", "Bolt", "Bolt", "Profile", "Profile"},
                      false);
    s.setColumnValues(
        kName, {"PL 200x10", "PL 150x8", "PL 120x8", "M16x60", "M20x70", "HEA 200", "IPE 240"},
        false);
    s.setNumberColumn(kLength, 1, true);
    s.setColumnValues(kLength, {"450", "1250.5", "380", "60", "70", "3200", "5400.25"}, false);
    s.setComboColumn(kGrade, {"S235", "S275", "S355", "8.8", "10.9"}, false);
    s.setColumnValues(kGrade, {"S355", "S235", "S235", "8.8", "10.9", "S355", "S275"}, false);
    s.setCheckColumn(kUse, false, false);
    s.setColumnBools(kUse, AcArray<bool>{true, true, false, true, false, true, true});
    s.setNumberColumn(kCount, 0, false);
    s.setColumnInts(kCount, AcArray<int>{2, 4, 1, 8, 4, 1, 2});
    s.setButtonColumn(kPick, "...", false);
    s.setStaticColumn(kPart, 0);
    s.lockColumn(kPart);
    s.mergeEqualCells(kPart);
    s.linkCheckColumn(kUse, kCount);
    s.setCellText(kPart, 8, "Section");
    s.setPopupEntries(AcArray<int>{2, 3, 1, 4, 5});
    s.fitAll();
    int rowsUsed = 0;
    s.setPictureCell(SS_SOURCE_DIR "/examples/library/icons/ProfSectionI-small.bmp", kName, 8,
                     rowsUsed);
    s.fitColumnToWindow(kName);
    return true;
  }

  Nx_Spread sheet;
};

class SheetApp : public wxApp {
 public:
  explicit SheetApp(std::string file) : file_(std::move(file)) {}

  bool OnInit() override {
    uiwx::install();
    registerTemplate();
    uiwx::setModalHook([this](ui::Dialog& dialog, wxDialog& window) {
      auto* timer = new wxTimer;
      timer->Bind(wxEVT_TIMER, [this, &dialog, &window, timer](wxTimerEvent&) {
        inspect(static_cast<SheetDialog&>(dialog), window);
        dialog.handleCommand(ui::IDOK, ui::BN_CLICKED);
        CallAfter([timer] { delete timer; });
      });
      timer->StartOnce(800);
    });
    CallAfter([this] {
      SheetDialog dialog;
      ran_ = dialog.doModal() == ui::IDOK;
      ExitMainLoop();
    });
    return true;
  }
  int status() const { return ran_ && faults_.empty() ? 0 : 1; }
  const std::vector<std::string>& faults() const { return faults_; }

 private:
  void expect(bool ok, const std::string& what) {
    if (!ok) faults_.push_back(what);
  }

  // What the grid shows must be the sheet, without a copy.
  void inspect(SheetDialog& dialog, wxDialog& window) {
    Nx_Spread& s = dialog.sheet;
    auto* grid = dynamic_cast<wxGrid*>(uiwx::widgetOf(s));
    expect(grid != nullptr, "the sheet shows as a grid");
    if (!grid) return;
    expect(grid->GetNumberRows() == 8 && grid->GetNumberCols() == kPick, "grid size 7 x 8");
    expect(grid->GetColLabelValue(kLength - 1) == "Length", "column caption from the header row");
    int rows = 0, cols = 0;
    grid->GetCellSize(0, kPart - 1, &rows, &cols);
    expect(rows == 3 && cols == 1, "the three plates are merged");
    expect(grid->IsReadOnly(1, kPart - 1), "the part column is locked");
    expect(grid->IsReadOnly(2, kCount - 1) && !grid->IsReadOnly(0, kCount - 1),
           "unchecked rows lock their count");
    expect(grid->GetCellBackgroundColour(2, kCount - 1) == wxColour(0xE6, 0xE6, 0xE6),
           "locked cells in the locked colour");
    // A user clears the box of the first row: its count locks.
    s.userClickCell(kUse, 1);
    expect(grid->IsReadOnly(0, kCount - 1), "the check-box link locks on a click");
    s.userClickCell(kUse, 1);
    // An edit through the grid lands in the sheet.
    grid->GetTable()->SetValue(0, kLength - 1, "475");
    Nx_String length;
    s.getCellText(kLength, 1, length, Nx_Spread::kValue);
    expect(length == "475", "an edit in the grid writes the sheet");
    grid->Refresh();
    grid->Update();
    wxYield();
    expect(uiwx::saveScreenshot(&window, file_), "screenshot " + file_);
    findInGrid(s, *grid);
  }

  // F3 opens the find dialog; its match shows as a selection in the cell editor.
  void findInGrid(Nx_Spread& s, wxGrid& grid) {
    s.setFocus();
    s.model().setActiveCell(kName, 1);
    expect(s.showFindReplace(false), "F3 opens the find dialog");
    ui::Dialog* find = s.findReplaceDialog();
    if (!find) return;
    expect(uiwx::widgetOf(*find) != nullptr, "the find dialog is a window");
    find->setItemText(dlg_findreplace::IDC_FIND_TEXT, "HEA");
    find->handleCommand(ui::IDOK, ui::BN_CLICKED);
    expect(grid.GetGridCursorRow() == 5 && grid.GetGridCursorCol() == kName - 1,
           "the match becomes the current cell");
    expect(grid.IsCellEditControlShown(), "the match is selected in the cell editor");
    find->setItemText(dlg_findreplace::IDC_REPLACE_TEXT, "HEB");
    find->handleCommand(dlg_findreplace::IDC_REPLACE, ui::BN_CLICKED);
    Nx_String name;
    s.getCellText(kName, 6, name);
    expect(name == "HEB 200", "replace writes the cell");
    find->handleCommand(ui::IDCANCEL, ui::BN_CLICKED);
  }

  std::string file_;
  bool ran_ = false;
  std::vector<std::string> faults_;
};
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gui_sheet FILE.png\n");
    return 2;
  }
  auto* app = new SheetApp(argv[1]);
  wxApp::SetInstance(app);
  int one = 1;
  char* args[] = {argv[0], nullptr};
  if (!wxEntryStart(one, args)) return 1;
  int code = 1;
  if (wxTheApp->CallOnInit()) {
    wxTheApp->OnRun();
    code = app->status();
    for (const std::string& f : app->faults()) std::fprintf(stderr, "fault: %s\n", f.c_str());
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return code;
}
