#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/grid/grid_export.h"

namespace grid {

struct CellPos {
  int col = 0;
  int row = 0;
  friend bool operator==(const CellPos&, const CellPos&) = default;
};

// A block of cells, corners included; an empty block has col1 > col2.
struct Area {
  int col1 = 0, row1 = 0, col2 = -1, row2 = -1;
  friend bool operator==(const Area&, const Area&) = default;
  bool contains(int col, int row) const {
    return col >= col1 && col <= col2 && row >= row1 && row <= row2;
  }
  bool contains(const Area& a) const {
    return a.col1 >= col1 && a.col2 <= col2 && a.row1 >= row1 && a.row2 <= row2;
  }
  bool overlaps(const Area& a) const {
    return a.col1 <= col2 && a.col2 >= col1 && a.row1 <= row2 && a.row2 >= row1;
  }
  int width() const { return col2 - col1 + 1; }
  int height() const { return row2 - row1 + 1; }
};

inline std::uint64_t cellKey(int col, int row) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
         static_cast<std::uint32_t>(col);
}

// "A", "Z", "AA", ... for columns counted from 1; "" for 0 or less.
GRID_API std::string columnName(int col);
// "B3".
GRID_API std::string cellName(int col, int row);
// Reads "B3" (letters without case); false for anything else or out of bounds.
GRID_API bool parseCellName(std::string_view text, int& col, int& row);

}  // namespace grid
