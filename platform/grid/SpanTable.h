#pragma once
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/grid/CellAddress.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Cell spans (merged blocks), kept by their anchor, the top-left cell.
// Spans never overlap.
class GRID_API SpanTable {
 public:
  // Replaces a span at the same anchor; false when the block would overlap
  // another span or is a single cell.
  bool add(const Area& span);
  // The span that covers the cell.
  std::optional<Area> find(int col, int row) const;
  bool removeAt(int col, int row);  // removes the span that covers the cell
  void clear();
  std::vector<Area> all() const;
  // Moves every span through f; a span that f drops (nullopt) or shrinks
  // to one cell is removed.
  void remap(const std::function<std::optional<Area>(const Area&)>& f);
  std::size_t size() const { return spans_.size(); }

 private:
  std::map<std::pair<int, int>, Area> spans_;  // (row, col) of the anchor
  int tallest_ = 1;
};

}  // namespace grid
