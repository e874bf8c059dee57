#pragma once

namespace grid {

// Lets a window backend repaint. Calls stop while the sheet's option 8
// (repainting) is off; turning it on again reports one layout change.
class SheetListener {
 public:
  virtual ~SheetListener() = default;
  virtual void cellChanged(int col, int row) = 0;
  // Size, structure, spans, widths, heights or many values changed.
  virtual void layoutChanged() = 0;
};

}  // namespace grid
