#pragma once
#include "core/Nx_String.h"
#include "platform/ui/Dialog.h"
#include "spreadsheet/Nx_Spread.h"

// The modeless spreadsheet window in which bills are built and shown
// (template DLG_SSWINDOW): a resizable window with a menu bar (save, find
// and replace, close) around one sheet.
class KvSSWindow : public ui::Dialog {
 public:
  // Menu items (below 0x7FFF, as desktop menus need; apart from the popup menu's 328xx).
  static constexpr int kMenuSave = 32001;
  static constexpr int kMenuSaveAs = 32002;
  static constexpr int kMenuExportCsv = 32003;
  static constexpr int kMenuExportXlsx = 32004;
  static constexpr int kMenuExportPdf = 32005;
  static constexpr int kMenuClose = 32006;
  static constexpr int kMenuFind = 32011;
  static constexpr int kMenuReplace = 32012;

  KvSSWindow();
  ~KvSSWindow() override;

  Nx_Spread& sheet() { return sheet_; }
  // The file that Save writes and the settings document it goes with.
  void setFileName(const Nx_String& file) { fileName_ = file; }
  const Nx_String& fileName() const { return fileName_; }
  bool save();
  bool saveAs();
  // Asks for a file and writes the sheet as CSV, .xlsx or PDF (menu id).
  bool exportAs(int menuId);

  bool onInitDialog() override;
  void onOK() override;
  void onCancel() override;
  bool onCommand(int id, int code) override;

 private:
  void updateCaption();

  Nx_Spread sheet_;
  Nx_String fileName_;
};
