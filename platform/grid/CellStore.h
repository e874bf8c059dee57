#pragma once
#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "platform/grid/Cell.h"
#include "platform/grid/CellAddress.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Rows of cells come from a pool of blocks (see BlockPool): no header per
// row, and a large sheet's rows sit on few pages.
GRID_API void* takeRowBlock(std::size_t bytes);
GRID_API void giveRowBlock(void* block, std::size_t bytes) noexcept;

template <class T>
struct RowAllocator {
  using value_type = T;
  RowAllocator() = default;
  template <class U>
  RowAllocator(const RowAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(takeRowBlock(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { giveRowBlock(p, n * sizeof(T)); }
  friend bool operator==(const RowAllocator&, const RowAllocator&) { return true; }
};

// Sparse cell storage: one vector per row, its cells sorted by column.
// Lookups are a row index and a short binary search; blocks are walked row
// by row; inserting or deleting rows moves row vectors, not cells.
class GRID_API CellStore {
 public:
  CellStore() = default;
  // Deep: every cell cloned (a loaded sheet kept aside and installed again).
  CellStore(const CellStore& other);
  CellStore& operator=(const CellStore& other);
  CellStore(CellStore&&) noexcept = default;
  CellStore& operator=(CellStore&&) noexcept = default;

  const Cell* find(int col, int row) const;
  Cell* find(int col, int row);
  Cell& obtain(int col, int row);
  // Room for `cells` cells in a row about to be filled (a file's rows are
  // mostly alike), so that it holds no unused room.
  void reserveRow(int row, std::size_t cells);
  const Value& value(int col, int row) const {
    const Cell* c = find(col, row);
    return c ? c->value : emptyValue();
  }
  // Drops the cell when nothing is left in it.
  void compact(int col, int row);
  void erase(int col, int row);
  void clear();

  std::size_t cellCount() const { return count_; }
  int rowLimit() const { return static_cast<int>(rows_.size()); }  // rows at or past it are empty

  template <class F>
  void forEach(F&& f) const {
    for (std::size_t r = 0; r < rows_.size(); ++r)
      for (const Cell& c : rows_[r]) f(c, static_cast<int>(r));
  }
  template <class F>
  void forEach(F&& f) {
    for (std::size_t r = 0; r < rows_.size(); ++r)
      for (Cell& c : rows_[r]) f(c, static_cast<int>(r));
  }
  // f(cell, row) for the stored cells inside the block, row by row.
  template <class F>
  void forEachIn(const Area& a, F&& f) const {
    int last = std::min(a.row2, rowLimit() - 1);
    for (int r = std::max(a.row1, 0); r <= last; ++r) {
      const auto& cells = rows_[static_cast<std::size_t>(r)];
      auto it = lowerBound(cells, a.col1);
      for (; it != cells.end() && it->col <= a.col2; ++it) f(*it, r);
    }
  }

  // Structure: rows or columns at `at` and after move by `count`; what
  // moves past `limit` is dropped; deleted cells are destroyed.
  void insertRows(int at, int count, int limit);
  void deleteRows(int at, int count);
  void insertCols(int at, int count, int limit);
  void deleteCols(int at, int count);
  // Drops every cell beyond the given bounds.
  void truncate(int maxCol, int maxRow);
  // Removes the cells of a block and hands them over with their positions.
  std::vector<std::pair<CellPos, Cell>> take(const Area& a);
  // Stores a cell at a position, replacing what was there.
  void put(int col, int row, Cell&& cell);
  // Moves in every cell of `other`, which is left empty: whole rows where
  // this store has none (a file read in parts), cell by cell elsewhere.
  void appendRows(CellStore&& other);

  static const Value& emptyValue();

 private:
  using Row = std::vector<Cell, RowAllocator<Cell>>;
  static Row::const_iterator lowerBound(const Row& r, int col) {
    return std::lower_bound(r.begin(), r.end(), col,
                            [](const Cell& c, int v) { return c.col < v; });
  }
  static Row::iterator lowerBound(Row& r, int col) {
    return std::lower_bound(r.begin(), r.end(), col,
                            [](const Cell& c, int v) { return c.col < v; });
  }
  void dropEmptyTail();
  std::vector<Row> rows_;
  std::size_t count_ = 0;
};

}  // namespace grid
