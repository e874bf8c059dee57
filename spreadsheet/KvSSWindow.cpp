#include "spreadsheet/KvSSWindow.h"

#include "core/DialogSizes.h"
#include "core/FileDialogs.h"
#include "core/PathHelpers.h"
#include "platform/ui/MenuBar.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_SSWINDOW.h"
#include "spreadsheet/KvSSDocSettings.h"
#include "spreadsheet/KvSSExport.h"

namespace {
constexpr int kTemplateId = 248;
using R = ui::Resizer;

ui::MenuBar windowMenu() {
  using Item = ui::MenuBarItem;
  return {
      {"&File",
       {Item{KvSSWindow::kMenuSave, "&Save\tCtrl+S"}, Item{KvSSWindow::kMenuSaveAs, "Save &as..."},
        Item{0, "", true}, Item{KvSSWindow::kMenuExportCsv, "Export as &CSV..."},
        Item{KvSSWindow::kMenuExportXlsx, "Export as &xlsx..."},
        Item{KvSSWindow::kMenuExportPdf, "Export as &PDF..."}, Item{0, "", true},
        Item{KvSSWindow::kMenuClose, "&Close"}}},
      {"&Edit",
       {Item{KvSSWindow::kMenuFind, "&Find...\tF3"},
        Item{KvSSWindow::kMenuReplace, "&Replace...\tF5"}}}};
}
}  // namespace

KvSSWindow::KvSSWindow() : ui::Dialog(kTemplateId) {
  ui::setMenuBar(*this, windowMenu());
}

KvSSWindow::~KvSSWindow() {
  // The sheet is a member: its window leaves the tree before it goes.
  if (isCreated()) destroyWindow();
  ui::setMenuBar(*this, {});
}

bool KvSSWindow::onInitDialog() {
  if (!sheet_.attachToItem(this, dlg_sswindow::IDC_SHEET, false)) return false;
  resizer().add(dlg_sswindow::IDC_SHEET, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::dialog(R::Edge::Bottom));
  resizer().add({ui::IDOK, ui::IDCANCEL}, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  setMinTrackSize({rect().width() / 2, rect().height() / 2});
  ChangeDlgSize(*this, templateName());
  updateCaption();
  return true;
}

void KvSSWindow::updateCaption() {
  setText(fileName_.isEmpty() ? Nx_String("Spreadsheet").str()
                              : (getFileName(fileName_) + " - Spreadsheet").str());
}

bool KvSSWindow::save() {
  if (fileName_.isEmpty()) return saveAs();
  KvSSDocSettings settings;
  if (settings.saveSheet(sheet_, fileName_)) return true;
  ui::messageBox(("The sheet could not be saved: " + settings.lastError()).str(), "Save",
                 ui::MB_OK | ui::MB_ICONERROR, this);
  return false;
}

bool KvSSWindow::saveAs() {
  Nx_String path = fileName_;
  if (!DlgOpenSave(false, "kvb", "Bill sheets (*.kvb)", "Save the sheet", getPath(fileName_), path,
                   this))
    return false;
  fileName_ = path;
  updateCaption();
  return save();
}

bool KvSSWindow::exportAs(int menuId) {
  struct Kind {
    int id;
    const char* extension;
    const char* filter;
  };
  static const Kind kinds[] = {{kMenuExportCsv, "csv", "CSV files (*.csv)"},
                               {kMenuExportXlsx, "xlsx", "Workbooks (*.xlsx)"},
                               {kMenuExportPdf, "pdf", "PDF files (*.pdf)"}};
  for (const Kind& kind : kinds) {
    if (kind.id != menuId) continue;
    Nx_String path = fileName_.isEmpty() ? Nx_String() : changeExtension(fileName_, kind.extension);
    if (!DlgOpenSave(false, kind.extension, kind.filter, "Export the sheet", getPath(fileName_),
                     path, this))
      return false;
    Nx_String error;
    if (exportSpread(sheet_, path, error)) return true;
    ui::messageBox(("The sheet could not be exported: " + error).str(), "Export",
                   ui::MB_OK | ui::MB_ICONERROR, this);
    return false;
  }
  return false;
}

void KvSSWindow::onOK() {
  onCancel();
}

void KvSSWindow::onCancel() {
  sheet_.closeFindReplace();
  WriteDlgSize(*this, templateName());
  destroyWindow();
}

bool KvSSWindow::onCommand(int id, int code) {
  switch (id) {
    case kMenuSave:
      save();
      return true;
    case kMenuSaveAs:
      saveAs();
      return true;
    case kMenuExportCsv:
    case kMenuExportXlsx:
    case kMenuExportPdf:
      exportAs(id);
      return true;
    case kMenuClose:
      onCancel();
      return true;
    case kMenuFind:
      sheet_.showFindReplace(false);
      return true;
    case kMenuReplace:
      sheet_.showFindReplace(true);
      return true;
    default:
      return ui::Dialog::onCommand(id, code);
  }
}
