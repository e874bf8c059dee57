#pragma once
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/grid/CellAddress.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Cell spans (merged blocks), kept by their anchor, the top-left cell.
// Spans never overlap. Lookups and single additions look only at the
// anchors that the tallest and widest span can reach from; whole sets
// (a file, a structure edit) are checked in one sweep, n log n.
class GRID_API SpanTable {
 public:
  // Replaces a span at the same anchor; false when the block would overlap
  // another span or is malformed. A single cell removes the span anchored there.
  bool add(const Area& span);
  // Replaces every span with the given ones, taken in anchor order (of two
  // with the same anchor the later counts); a span that overlaps one taken
  // before it is left out. Answers the positions in `spans` left out.
  std::vector<std::size_t> assign(const std::vector<Area>& spans);
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
  using Key = std::pair<int, int>;  // (row, col) of the anchor
  bool overlapsOther(const Area& span, const Key& self) const;
  void noteExtent(const Area& span);

  std::map<Key, Area> spans_;
  // Bounds, never lowered on removal: a larger bound only costs a few lookups.
  int tallest_ = 1;
  int widest_ = 1;
};

}  // namespace grid
