#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/grid/CustomFunction.h"
#include "platform/grid/SheetContent.h"
#include "platform/grid/formula/DependencyGraph.h"
#include "platform/grid/formula/Evaluator.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Computes formula cells: the whole sheet in dependency order, one cell with
// the formulas it reads, or the formulas that read a changed cell. Cells in
// a cycle get #REF!. While a formula runs (a custom function may call back
// into the sheet) `running()` is true and the running cell is known.
class GRID_API Recalculator {
 public:
  Recalculator(SheetContent& content, CustomFunctions& custom)
      : content_(content), custom_(custom) {}

  void formulasChanged() { graph_.invalidate(); }
  // Sheets of fewer formulas are computed on one thread.
  void setSplitFrom(std::size_t formulas) {
    splitFrom_ = formulas;
    graph_.invalidate();
  }
  void all();
  void cellWithPrecedents(int col, int row);
  void dependentsOf(int col, int row);
  // Just this cell, from the values the cells it reads hold now.
  void single(int col, int row);

  bool running() const { return running_ > 0; }
  CellPos runningCell() const { return runningCell_; }

 private:
  void evaluate(int col, int row, bool circular);
  void computeSideBySide(std::size_t firstEnd, std::size_t secondEnd);

  SheetContent& content_;
  CustomFunctions& custom_;
  DependencyGraph graph_;
  Evaluator evaluator_;
  CycleAwareOrder localOrder_;
  std::size_t splitFrom_ = DependencyGraph::kSplitFrom;
  int running_ = 0;
  CellPos runningCell_;
};

}  // namespace grid
