#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/CellAddress.h"
#include "platform/grid/CellFormat.h"
#include "platform/grid/CustomFunction.h"
#include "platform/grid/FontMetrics.h"
#include "platform/grid/Recalculator.h"
#include "platform/grid/SheetContent.h"
#include "platform/grid/SheetListener.h"
#include "platform/grid/formula/CompileMemo.h"
#include "platform/grid/formula/Parser.h"
#include "platform/grid/grid_export.h"

namespace grid {

// A sheet file's content as a load builds it, kept aside to be installed
// again and again without parsing its text each time.
struct LoadedSheet {
  SheetContent content;
  std::vector<std::string> warnings;  // as loadWarnings() would give them
};

struct TextSize {
  double width = 0;   // in column-width units (characters of the default font)
  double height = 0;  // in pixels, the unit of row heights
};

// The model that one spreadsheet control window owns: cells addressed
// (col, row) with row 0 the header row and column 0 the header column; data
// cells from 1 to maxCols()/maxRows(). Every write reports whether it was
// accepted; reads of cells outside the sheet give empty results.
class GRID_API Sheet {
 public:
  Sheet();
  ~Sheet();
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  // --- size ---------------------------------------------------------------
  int maxCols() const { return content_.maxCols; }
  int maxRows() const { return content_.maxRows; }
  // Shrinking drops the cells beyond the new size.
  bool setMaxCols(int count);
  bool setMaxRows(int count);
  bool isValidCell(int col, int row) const {
    return col >= 0 && row >= 0 && col <= content_.maxCols && row <= content_.maxRows;
  }

  // --- contents -----------------------------------------------------------
  // Data text as stored (a formula cell's data is its value text). Writing
  // data replaces a formula. setValue takes the same text forms as setData.
  bool setData(int col, int row, std::string_view text);
  std::string getData(int col, int row) const;
  bool setValue(int col, int row, std::string_view text);
  std::string getValue(int col, int row) const;
  const Value& value(int col, int row) const;
  // With or without a leading "="; empty text removes the formula. Refused
  // (false) when the text does not parse: lastError() tells where and why.
  // With buildDependencies the value is computed at once from the cells it
  // reads; without, at the next recalculation.
  bool setFormula(int col, int row, std::string_view text, bool buildDependencies = true);
  std::string getFormula(int col, int row) const;  // without "="
  bool hasFormula(int col, int row) const;
  const CompileError& lastError() const { return lastError_; }
  bool setCellTag(int col, int row, std::string_view tag);
  std::string getCellTag(int col, int row) const;
  // Empties the contents (data, formula, value) of a block; formats stay.
  bool clearRange(const Area& block);
  // The text a window shows: numbers of number cells with their decimals
  // and separators, captions of buttons and check boxes.
  std::string displayText(int col, int row) const;

  // --- recalculation ------------------------------------------------------
  bool reCalc();
  bool reCalcCell(int col, int row);
  std::size_t formulaCount() const;
  std::size_t cellCount() const { return content_.cells.cellCount(); }

  // --- boolean options by number (7 automatic recalculation, off; 8 repainting, on)
  bool setBool(int option, bool value);
  bool getBool(int option) const;

  // --- cell types ---------------------------------------------------------
  bool setCellType(const Area& block, const CellType& type);
  const CellType& getCellType(int col, int row) const;
  int cellTypeCode(int col, int row) const { return static_cast<int>(getCellType(col, row).kind); }
  bool setTypeGeneral(const Area& block);
  bool setTypeEdit(const Area& block, std::uint32_t style, int maxLength);
  bool setTypeNumber(const Area& block, int decimals, double minimum, double maximum,
                     bool separator, std::uint32_t style = 0);
  bool setTypeStaticText(const Area& block, std::uint32_t style);
  // items: the entries joined by tab characters.
  bool setTypeComboBox(const Area& block, std::uint32_t style, std::string_view items,
                       bool editable);
  bool setTypeCheckBox(const Area& block, std::uint32_t style, std::string_view text,
                       std::uint64_t checkedPicture = 0, std::uint64_t uncheckedPicture = 0);
  bool setTypeButton(const Area& block, std::uint32_t style, std::string_view caption);
  bool setTypePicture(const Area& block, std::uint32_t style, std::string_view file);
  bool setTypePictureHandle(const Area& block, std::uint32_t style, std::uint64_t handle);

  // --- formats ------------------------------------------------------------
  bool setLock(int col, int row, bool locked) { return setLockRange({col, row, col, row}, locked); }
  bool setLockRange(const Area& block, bool locked);
  bool getLock(int col, int row) const;
  bool setColor(const Area& block, std::uint32_t background, std::uint32_t foreground);
  bool getColor(int col, int row, std::uint32_t& background, std::uint32_t& foreground) const;
  bool setBorder(const Area& block, std::uint32_t type, std::uint32_t style, std::uint32_t color);
  Border getBorder(int col, int row) const;
  bool setFont(const Area& block, const Font& font);
  // The cell's font with the sheet's default filled in.
  Font getFont(int col, int row) const;
  const CellFormat& format(int col, int row) const { return content_.formatAt(col, row); }

  // --- spans --------------------------------------------------------------
  bool addCellSpan(int col, int row, int numCols, int numRows);
  // The span that covers the cell: its anchor and size.
  bool getCellSpan(int col, int row, int& anchorCol, int& anchorRow, int& numCols,
                   int& numRows) const;
  bool removeCellSpan(int col, int row);

  // --- row heights and column widths (index 0: header) ---------------------
  bool setRowHeight(int row, double pixels);
  double rowHeight(int row) const;
  bool setColWidth(int col, double characters);
  double colWidth(int col) const;
  bool setColWidthInPixels(int col, int pixels);
  int colWidthInPixels(int col) const;
  // Text measures from the font metrics, for fitting columns and rows.
  bool getMaxTextCellSize(int col, int row, double& width, double& height) const;
  bool getMaxTextRowHeight(int row, double& height) const;
  bool getMaxTextColWidth(int col, double& width) const;
  TextSize maxTextSize(const Area& block) const;
  void setFontMetrics(const FontMetrics* metrics);

  // --- structure ----------------------------------------------------------
  // The row or column count stays: what is pushed past the end is dropped.
  bool insRow(int row, int count = 1);
  bool delRow(int row, int count = 1);
  bool insCol(int col, int count = 1);
  bool delCol(int col, int count = 1);
  bool copyRange(const Area& from, int toCol, int toRow);
  bool moveRange(const Area& from, int toCol, int toRow);
  bool swapRange(const Area& from, int toCol, int toRow);

  // --- selection and editing ------------------------------------------------
  bool setActiveCell(int col, int row);
  bool getActiveCell(int& col, int& row) const;
  // Bounds below 0 stand for the whole extent of that side.
  bool setSelectBlock(const Area& block);
  bool getSelectBlock(Area& block) const;
  void clearSelection() { content_.selection.reset(); }
  void setEditMode(bool on);
  bool getEditMode() const { return content_.editMode; }
  bool setSel(int start, int end);
  bool getSel(int& start, int& end) const;
  bool clipboardCopy();
  // Pastes as the user types: only into data cells that take input (see
  // takesInput), which keep their type and lock; text a cell's type refuses
  // leaves that cell as it was. skipped: how many cells were left so.
  bool clipboardPaste(int* skipped = nullptr);
  // Whether the user may type into the cell: a data cell that is not
  // locked and not a static text, button, picture or check box.
  bool takesInput(int col, int row) const;

  // --- custom functions -----------------------------------------------------
  bool addCustomFunctionExt(std::string_view name, int minArgs, int maxArgs,
                            CustomFunctionCallback callback, unsigned flags = 0);
  void clearCustomFunctions() { custom_.clear(); }
  std::size_t customFunctionCount() const { return custom_.size(); }
  // The cell whose formula is running, for custom functions that need it.
  bool runningCell(int& col, int& row) const;

  // --- files ----------------------------------------------------------------
  // The native format or CSV/TSV text, recognised by content. A load that
  // fails leaves the sheet as it was. Loading clears the custom functions
  // and keeps options 7 and 8, which belong to the window's owner.
  bool loadFromFile(const std::string& path, std::string& error);
  bool loadFromText(std::string_view text, const std::string& name, std::string& error);
  // What loadFromText would install, without a sheet.
  static bool parseText(std::string_view text, const std::string& name, LoadedSheet& out,
                        std::string& error);
  // Installs a copy of a parsed load, as loadFromText of its text would.
  bool loadCopy(const LoadedSheet& loaded, const std::string& name, std::string& error);
  // What the last load took in spite of a fault, one line per cell: the
  // formulas it could not compile, which read #NAME?.
  const std::vector<std::string>& loadWarnings() const { return loadWarnings_; }
  // Atomic; dataOnly leaves out formats, spans, sizes and settings.
  bool saveToFile(const std::string& path, std::string& error, bool dataOnly = false) const;

  // --- the window side --------------------------------------------------------
  void setListener(SheetListener* listener) { listener_ = listener; }
  SheetSettings& settings() { return content_.settings; }
  const SheetSettings& settings() const { return content_.settings; }
  const SheetContent& content() const { return content_; }

 private:
  bool busy() const { return recalc_.running(); }
  bool validBlock(const Area& block) const;
  Area resolveBlock(const Area& block) const;
  bool writeText(int col, int row, std::string_view text);
  template <class F>
  bool changeFormat(const Area& block, F&& change);
  void afterWrite(int col, int row, bool formulaChanged);
  void afterStructure();
  void notifyCell(int col, int row);
  void notifyLayout();
  TextSize measure(int col, int row) const;
  void installLoaded(SheetContent&& loaded);

  SheetContent content_;
  CustomFunctions custom_;
  Recalculator recalc_;
  CompileMemo parser_;
  CompileError lastError_;
  std::vector<std::string> loadWarnings_;
  SheetListener* listener_ = nullptr;
  const FontMetrics* metrics_;
  std::size_t formatsAfterSweep_ = 0;
};

}  // namespace grid
