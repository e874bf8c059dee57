#pragma once
#include <map>
#include <memory>

#include "common/ss_export.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "platform/arx/AcArray.h"
#include "platform/ui/SpreadControl.h"

class KvFindReplaceDlg;
class Nx_SpreadPopupMenu;

// The one wrapper of a spreadsheet control: rows and columns counted from
// 1, the header row and header column addressed as -32767, every operation
// failing (false, or -1 for the counts) until the wrapper is attached to a
// dialog and whenever an index lies beyond the current column or row count.
// It adds the module's grid behaviours: typed columns, fitting, locks and
// merges, check-box links, the popup menu, F3/F5/F8, Tab exit and size actions.
//
// The wrapper is the control window itself; its owner keeps it as a member
// and attaches it in place of a placeholder item of its dialog.
class SS_EXPORT Nx_Spread : public ui::SpreadControl {
 public:
  static constexpr int kHeader = -32767;
  // The type setEditCell gives: its style and longest text.
  static constexpr unsigned kEditStyle = 0x110000;
  static constexpr int kEditMaxLength = 200;

  Nx_Spread();
  ~Nx_Spread() override;

  // --- lifecycle and appearance ------------------------------------------------
  // Takes the place of the dialog item (its rectangle and id), with an empty
  // sheet of 0 columns and 0 rows. The kit's rectangles are client
  // coordinates already, so keepRect needs no frame compensation.
  bool attachToItem(ui::Window* parent, int itemId, bool keepRect = false);
  bool isAttached() const { return attached_; }
  ui::Window* parentWindow() const { return parentWindow_; }
  int itemId() const { return itemId_; }
  // The module's grid look; enterMode 1 keeps editing on Enter, 0 moves on.
  bool initAppearance(int enterMode);
  // The sheet model for direct cell work (formulas, values, custom
  // functions); null while not attached.
  grid::Sheet* sheet() { return attached_ ? &model() : nullptr; }
  const grid::Sheet* sheet() const { return attached_ ? &model() : nullptr; }

  // --- size -------------------------------------------------------------------
  int getMaxRows() const;
  int getMaxCols() const;
  // Growing copies the last old row onto every new row (formats and
  // contents); the flag is not used.
  bool setMaxRows(const int& rows, bool unused = false);
  // Grows as setMaxRows does but leaves the new rows empty, with the
  // sheet's fonts only: for owners that fill every new row themselves.
  bool setMaxRowsEmpty(const int& rows);
  // Growing copies the last old column onto the new ones when copyFormat is set.
  bool setMaxCols(const int& cols, bool copyFormat = false);
  bool applyDefaultFonts();
  bool setRowFont(const int& row, bool withHeader);
  bool setColumnFont(const int& col, bool withHeader);
  const Nx_String& fontName() const { return fontName_; }
  int fontHeight() const { return fontHeight_; }

  // --- single cells -------------------------------------------------------------
  enum TextKind { kData = 0, kFormula = 1, kTag = 2, kValue = 3 };
  bool getCellText(const int& col, const int& row, Nx_String& text, int kind = kData) const;
  bool setCellText(const int& col, const int& row, const Nx_String& text);
  bool getCellInt(const int& col, const int& row, int& value) const;
  bool getCellDouble(const int& col, const int& row, double& value) const;
  bool getCellBool(const int& col, const int& row, bool& value) const;
  bool setCellInt(const int& col, const int& row, int value);
  bool setCellDouble(const int& col, const int& row, double value);
  bool setCellBool(const int& col, const int& row, bool value);
  // The cell-type code (12: check box), or -1.
  int getCellType(const int& col, const int& row) const;

  // --- whole rows and columns ------------------------------------------------------
  // The writes stop at the last row or column; false when the index is out
  // of range or when any cell refused its text (the others are written).
  bool setColumnValues(const int& col, const Nx_StringArray& values, bool asValue);
  bool setRowValues(const int& row, const Nx_StringArray& values, bool asValue);
  bool setColumnInts(const int& col, const AcArray<int>& values);
  bool setColumnDoubles(const int& col, const AcArray<double>& values);
  bool setColumnBools(const int& col, const AcArray<bool>& values);
  bool getColumnValues(const int& col, Nx_StringArray& values) const;
  bool getColumnTexts(const int& col, Nx_StringArray& values) const;
  bool getRowValues(const int& row, Nx_StringArray& values) const;
  bool getColumnInts(const int& col, AcArray<int>& values) const;
  bool getColumnDoubles(const int& col, AcArray<double>& values) const;
  bool getColumnBools(const int& col, AcArray<bool>& values) const;
  bool clearRow(const int& row);
  bool clearRows(const int& first, const int& last);
  bool setRowHeaders(const Nx_StringArray& captions);
  bool getRowHeaders(Nx_StringArray& captions) const;
  bool setColumnHeaders(const Nx_StringArray& captions);
  bool getColumnHeaders(Nx_StringArray& captions) const;

  // --- editing rows and columns (each marks the sheet changed) -------------------------
  bool insertRow(const int& row, bool askCaption, bool copyFormat);
  bool insertColumn(const int& col, bool askCaption, bool copyFormat);
  // The new row's index, or -1.
  int appendRow(bool copyFormat);
  bool appendRowValues(const Nx_StringArray& values);
  bool insertRowAfterSelection(bool copyFormat);
  bool deleteRow(const int& row);
  bool deleteColumn(const int& col);
  bool deleteSelectedRow();
  bool moveRow(const int& row, const int& target);
  bool moveSelectedRowUp();
  bool moveSelectedRowDown();
  bool copyRow(const int& from, const int& to);
  bool copyColumn(const int& from, const int& to);

  // --- cell types --------------------------------------------------------------------
  bool setEditCells(const int& col1, const int& row1, const int& col2, const int& row2,
                    unsigned style, int maxLength);
  bool setEditCell(const int& col, const int& row);
  bool setEditColumn(const int& col);
  bool setNumberCells(const int& col1, const int& row1, const int& col2, const int& row2,
                      int decimals, bool separator);
  bool setNumberCell(const int& col, const int& row, int decimals, bool separator);
  bool setNumberColumn(const int& col, int decimals, bool separator);
  bool setStaticCell(const int& col, const int& row, unsigned style);
  bool setStaticColumn(const int& col, unsigned style);
  bool setStaticColumnHeaders();
  bool setStaticRowHeaders();
  bool setComboCells(const int& col1, const int& row1, const int& col2, const int& row2,
                     const Nx_StringArray& items, bool editable);
  bool setComboColumn(const int& col, const Nx_StringArray& items, bool editable);
  bool setCheckColumn(const int& col, bool framed, bool spanHeader);
  bool setCheckCell(const int& col, const int& row);
  bool setButtonColumn(const int& col, const Nx_String& caption, bool spanHeader);
  bool setButtonCell(const int& col, const int& row, const Nx_String& caption);
  bool setPictureCell(const Nx_String& file, const int& col, const int& row, int& rowsUsed);
  bool setResourcePictureCell(const int& col, const int& row, int resourceId, bool icon);

  // --- layout ---------------------------------------------------------------------------
  bool fitColumnWidth(const int& col, bool skipPictures = false);
  bool fitRowHeight(const int& row);
  bool fitAll();
  bool fitColumnToWindow(const int& col);
  // In pixels, header column included; -1 when not attached.
  int getTotalColumnWidth() const;
  // 0 none, 1 even columns, 2 fit headers, 3 column a gets b pixels, 4
  // column a gets b percent; the other columns share the rest evenly.
  bool setSizeAction(int action, int a = 0, int b = 0);
  // 5: the columns of fixed keep their widths, those of shared split the rest.
  bool setSizeAction(int action, const AcArray<int>& fixed, const AcArray<int>& shared);

  // --- locks, spans, merges ----------------------------------------------------------------
  bool setCellLocked(const int& col, const int& row, bool locked);
  bool setRowLocked(const int& row, bool locked);
  bool lockColumn(const int& col);
  bool removeCellSpan(const int& col, const int& row);
  bool removeColumnSpans(const int& col);
  bool removeAllSpans();
  bool mergeEqualCells(const int& col);
  // Check cells reading "0" lock their row's linked cell, "1" unlock it;
  // every click on a check cell keeps it so.
  bool linkCheckColumn(const int& checkCol, const int& linkedCol);
  bool setAutoColumn(bool enable, const int& col);
  int autoColumn() const { return autoColumn_; }

  // --- selection and edit state ---------------------------------------------------------------
  bool getActiveCell(int& col, int& row);
  bool getSelection(int& col1, int& row1, int& col2, int& row2);
  int getSelectedColumn();
  int getSelectedRow();
  bool selectBlock(const int& col1, const int& row1, const int& col2, const int& row2);
  bool selectRow(const int& row);
  bool getEditSelection(int& start, int& end) const;
  // Makes the cell active and selects part of its text in edit mode.
  bool selectInCell(const int& col, const int& row, int start, int end);

  // --- find and replace (matching ignores case) -------------------------------------------------
  // The text that find looks in and replace edits: a plain cell's data text
  // (what its editor shows), a formula cell's value. Replacing skips formula
  // cells and every cell that typing could not change (locked, static text,
  // buttons, pictures, check boxes).
  Nx_String searchText(const int& col, const int& row) const;
  // The first column from startCol whose search text equals (or, with
  // substring, contains) the text; 0 when none.
  int findInRow(const Nx_String& text, bool substring, const int& row, const int& startCol) const;
  bool find(const Nx_String& text, bool substring, const int& startCol, const int& startRow,
            int& col, int& row) const;
  // A further match inside the cell after pos, else in the cells after it.
  bool findNext(const Nx_String& text, int& col, int& row, int& pos) const;
  bool replaceInCell(const int& col, const int& row, const Nx_String& oldText,
                     const Nx_String& newText);
  bool replaceSelection(const Nx_String& newText);
  bool showFindReplace(bool replace);
  bool closeFindReplace();
  KvFindReplaceDlg* findReplaceDialog() const { return findDialog_.get(); }

  // --- popup menu and keys ----------------------------------------------------------------------
  // Entry kinds in menu order: 1 separator, 2 copy, 3 paste, 4 insert row,
  // 5 delete row, 6 insert column, 7 delete column, 8 check all, 9 clear all.
  bool setPopupEntries(const AcArray<int>& kinds);
  // Shows the popup menu at the point and runs the chosen entry.
  bool showPopupMenu(ui::Point at);
  // Runs the popup entry of a command id; false for ids without entry.
  bool runPopupCommand(int commandId);
  bool isTabExit(int key, int& result);
  void setF8TogglesOption13(bool on) { f8TogglesOption13_ = on; }

 protected:
  void onSize(ui::Size client) override;
  bool onMouse(const ui::MouseEvent& mouse) override;
  bool preTranslateKey(const ui::KeyEvent& key) override;
  bool onCommand(int id, int code) override;
  int tabExit(const ui::KeyEvent& key) override;
  void onNotify(int code) override;
  void onPasteSkipped(int cells) override;

 private:
  // The header index as the sheet model counts it.
  static int at(int index) { return index == kHeader ? 0 : index; }
  bool hasCol(int col) const { return attached_ && col <= model().maxCols(); }
  bool hasRow(int row) const { return attached_ && row <= model().maxRows(); }
  bool hasCell(int col, int row) const { return hasCol(col) && hasRow(row); }
  bool writeCell(int col, int row, const Nx_String& text, bool asValue);
  bool copyRowCells(int from, int to);
  bool resizeRows(int rows, bool copyLastRow);
  bool copyColumnCells(int from, int to);
  bool copyRowFormat(int from, int to);
  bool copyColumnFormat(int from, int to);
  int insertAfterSelection(bool copyFormat);
  bool setFontBlock(const grid::Area& block, bool bold, bool textTip);
  bool loadCheckPictures();
  bool setCheckType(const grid::Area& block);
  bool applyCheckLink(int row);
  bool firstOrLastUnlocked(bool last, int& col, int& row) const;
  int tabExitResult(bool backwards);
  void runSizeAction();
  bool setColumnPixels(const AcArray<int>& cols, int width);
  bool checkAll(const Nx_String& value);

  bool attached_ = false;
  ui::Window* parentWindow_ = nullptr;
  int itemId_ = 0;
  Nx_String fontName_ = "Tahoma";
  int fontHeight_ = 15;
  ui::SpreadPictures::Handle checkedPicture_;
  ui::SpreadPictures::Handle uncheckedPicture_;
  std::map<int, ui::SpreadPictures::Handle> resourcePictures_;  // by resource id and kind
  std::unique_ptr<Nx_SpreadPopupMenu> popupMenu_;
  std::unique_ptr<KvFindReplaceDlg> findDialog_;
  bool f8TogglesOption13_ = true;
  int sizeAction_ = 0;
  int sizeActionArgs_[2] = {0, 0};
  AcArray<int> sizeActionLists_[2];
  int autoColumn_ = -1;
  int checkColumn_ = -1;
  int linkedColumn_ = -1;
};
