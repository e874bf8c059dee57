#pragma once
#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/grid/SheetContent.h"
#include "platform/grid/formula/Parser.h"

namespace grid {

class NumberFormats;

// Thrown while a sheet is built when it is past what the grid takes; caught
// by the workbook reader.
struct WorkbookTooLarge : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A stored .xlsx column width holds 5 pixels of padding on a 7-pixel digit.
inline double xlsxCharacters(double stored) {
  return stored <= 1 ? stored : std::max(0.0, (stored * 7 - 5) / 7);
}

// Builds the grid's sheet from the first sheet of a workbook as a reader
// finds its cells (rows and columns from 0): values, formulas (shared ones
// expanded), merged cells, column widths, row heights and the number formats
// that a Number cell can show. What the grid cannot hold is reported per
// cell in `warnings`.
class WorkbookSheet {
 public:
  enum class Syntax { Xlsx, Odf };
  WorkbookSheet(Syntax syntax, const std::string& name, SheetContent& out,
                std::vector<std::string>& warnings)
      : syntax_(syntax), name_(name), out_(out), warnings_(warnings) {}

  // A typed entry, read as the grid reads input.
  void putAuto(int row, int col, std::string_view utf8);
  void putText(int row, int col, std::string_view utf8);
  void putNumber(int row, int col, double value);
  void putBool(int row, int col, bool value);
  void putDateTime(int row, int col, int y, int m, int d, int h, int min, double sec);
  void putFormula(int row, int col, std::string_view text);
  // A shared formula: the text in its first cell, empty in the others.
  void putShared(int row, int col, std::size_t index, std::string_view text);
  void putArray(int row, int col, std::string_view text);
  void fillDown(int row, int col, int count);
  void putFormat(int row, int col, std::size_t xf) { formats_.push_back({row, col, xf}); }
  // Areas are in the grid's coordinates (from 1). Whole columns and rows of
  // formats carry no cells here: only stored cells take them.
  void putFormatBlock(const Area& cells, std::size_t xf) { blockFormats_.push_back({cells, xf}); }
  void setColumnWidth(int col, double characters);
  void setRowHeight(int row, double pixels);
  void addMerge(const Area& cells) { merges_.push_back(cells); }
  void warn(int row, int col, const std::string& what);

  // Formats, spans and sizes, once every cell is in.
  void finish(const NumberFormats& formats);

 private:
  Cell* cell(int row, int col);
  std::string text(int row, int col, std::string_view utf8);
  void applyFormat(const NumberFormats& formats, int row, int col, std::size_t xf);

  struct PendingFormat {
    int row, col;
    std::size_t xf;
  };
  struct PendingBlock {
    Area cells;
    std::size_t xf;
  };
  Syntax syntax_;
  const std::string& name_;
  SheetContent& out_;
  std::vector<std::string>& warnings_;
  FormulaParser parser_;
  std::map<std::size_t, std::pair<std::string, CellPos>> shared_;
  std::vector<PendingFormat> formats_;
  std::vector<PendingBlock> blockFormats_;
  std::vector<Area> merges_;
};

}  // namespace grid
