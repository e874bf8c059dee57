#pragma once
#include <memory>
#include <vector>

#include "platform/grid/Value.h"

namespace grid {

// An array value: an array constant, a block read as values, or the result
// of an element-wise operation. A block that runs past the last stored row
// (A:A) keeps only its stored rows; every row from `filled` on holds the
// same value per column (`tail`), so whole columns cost what they store.
struct Matrix {
  int rows = 0, cols = 0;
  int filled = 0;            // rows held in `cells`
  std::vector<Value> cells;  // filled * cols, row by row
  std::vector<Value> tail;   // cols values when filled < rows

  const Value& at(int r, int c) const {
    return r < filled ? cells[static_cast<std::size_t>(r) * cols + c] : tail[c];
  }
  Value& at(int r, int c) { return cells[static_cast<std::size_t>(r) * cols + c]; }
  bool hasTail() const { return filled < rows; }
};

using MatrixPtr = std::shared_ptr<const Matrix>;

// Arrays larger than this are refused (#VALUE!) rather than exhausting memory.
inline constexpr std::size_t kMaxArrayCells = std::size_t{1} << 21;
// Nor may an array span more values in all, its repeated rows counted: a
// walk over one (a SUM of whole rows joined to a text, 16,384 values a row
// over thousands of rows) would hold the sheet for minutes.
inline constexpr std::size_t kMaxArrayValues = std::size_t{1} << 24;

// Whether an array of this shape, holding `held` rows before its repeated
// ones, is refused.
inline bool arrayTooLarge(int rows, int cols, int held) {
  const auto width = static_cast<std::size_t>(cols);
  return static_cast<std::size_t>(held + 1) * width > kMaxArrayCells ||
         static_cast<std::size_t>(rows) * width > kMaxArrayValues;
}

}  // namespace grid
