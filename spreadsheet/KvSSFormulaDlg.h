#pragma once
#include <span>

#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "platform/grid/CustomFunction.h"
#include "platform/ui/Dialog.h"
#include "resources/dialogs/DLG_SSFORMULA.h"
#include "spreadsheet/KvFromTable.h"
#include "spreadsheet/Nx_Spread.h"

// The spreadsheet formula dialog (template DLG_SSFORMULA): loads one sheet
// file and, by its mode, lets the user work with it, computes one cell,
// reads the whole table or answers one FROMTABLE call. Every use creates the
// dialog, runs it modally and lets it go with its sheet; only the outputs
// stay.
class KvSSFormulaDlg : public ui::Dialog {
 public:
  enum Mode {
    kInteractive = 0,
    kComputeCell = 1,
    kAnswerCall = 2,
    kDemonstration = 3,
    kReadTable = 4
  };

  KvSSFormulaDlg() : ui::Dialog(dlg_ssformula::kTemplateId) {}

  // Set by the caller before doModal.
  int mode = kInteractive;
  Nx_String fileName;
  bool loadFile = false;
  int cellColumn = 1, cellRow = 1;  // mode 1
  // mode 2: the sheet whose formula called FROMTABLE, where its relative
  // file names start, the result and the arguments.
  grid::Sheet* callingSheet = nullptr;
  Nx_String callingFolder;
  grid::ValueRecord* callResult = nullptr;
  std::span<const grid::ValueRecord> callArgs;

  // Outputs: modes 1 and 4 (resultText), mode 4 (headers, rows).
  Nx_String resultText;
  Nx_StringArray headers;
  Nx_Array<Nx_StringArray> rows;

  bool onInitDialog() override;
  // The dialogs a user sees remember their size under the template's name.
  void onOK() override;
  void onCancel() override;
  Nx_Spread& spread() { return spread_; }

 private:
  // Modes 2 and 4 end before the user sees them: they keep no size.
  bool shownToUser() const { return mode != kAnswerCall && mode != kReadTable; }
  // Where the loaded sheet's own FROMTABLE calls start: the file's folder.
  void registerLookups();
  bool loadSheet();
  void showRefStyle(int item);
  // The active cell's name and its formula in the chosen style (or its data).
  void showActiveCell();
  void setAutoCalc();
  void recalculate();
  void computeCell();
  void readTable();
  void save();
  void load();

  Nx_Spread spread_;
};
