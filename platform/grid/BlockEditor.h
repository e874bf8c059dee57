#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/grid/SheetContent.h"
#include "platform/grid/formula/Parser.h"

namespace grid {

// Edits of a sheet's structure: inserting and deleting rows and columns,
// moving, swapping and copying blocks. Everything a cell holds moves with
// it, and every formula is adjusted as spreadsheets do: references follow
// the cells they name, references to deleted cells read #REF!, copied
// formulas keep their relative references relative. Arguments are checked
// by the caller.
class BlockEditor {
 public:
  explicit BlockEditor(SheetContent& content);

  // Rows or columns at `at` and after move down or right by count; what
  // moves past the last row or column is dropped.
  void insertRows(int at, int count);
  void deleteRows(int at, int count);
  void insertCols(int at, int count);
  void deleteCols(int at, int count);
  // The destination's old cells are dropped.
  void move(const Area& from, CellPos to);
  // The two blocks must not overlap.
  void swap(const Area& a, CellPos to);

  // A copy of a block that can be pasted anywhere, in any sheet.
  struct CellCopy {
    int dc = 0, dr = 0;  // offset in the block
    Value value;
    std::string formula;
    std::string tag;
    bool hasTag = false;
    bool unreadable = false;  // a formula kept as written, computing #NAME?
    CellFormat format;
  };
  struct Block {
    CellPos origin;
    int width = 0, height = 0;
    std::vector<CellCopy> cells;
  };
  Block snapshot(const Area& a) const;
  // Clears the destination block, then writes the copies; cells that fall
  // outside the sheet are left out.
  void paste(const Block& block, CellPos to);
  // The user's paste: only cells that take input (takesInput) change, and
  // they keep their type and lock. Contents go in as typing puts them: a
  // formula into a general cell, any other text through the cell's type; a
  // cell whose type refuses its text stays as it was. Answers how many
  // cells of the block were left as they were although the paste had
  // something for them.
  int pasteInput(const Block& block, CellPos to,
                 const std::function<bool(int col, int row)>& takesInput);

 private:
  void remapFormulas(const class ReferenceMap& map);
  CompiledFormula compile(std::string_view text, CellPos host, bool unreadable = false);
  SheetContent& content_;
  FormulaParser parser_;
};

}  // namespace grid
