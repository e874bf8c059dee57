#pragma once
#include <span>

#include "platform/grid/formula/Bytecode.h"
#include "platform/grid/formula/EvalContext.h"

namespace grid {

// A block, an array or a single value seen as rows and columns of values,
// so that functions and operators read all three alike. Rows from
// `uniformFrom()` on repeat the values of that row (cells past the last
// stored row, or an array's tail).
class ArrayView {
 public:
  ArrayView(const Operand& o, const EvalContext& context);

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  const Value& at(int r, int c) const {
    if (matrix_) return matrix_->at(r, c);
    if (single_) return *single_;
    if (r >= stored_) return CellStore::emptyValue();
    return context_->value(area_.col1 + c, area_.row1 + r);
  }
  int uniformFrom() const { return stored_; }
  const Operand& operand() const { return *operand_; }

 private:
  const Operand* operand_;
  const EvalContext* context_;
  const Matrix* matrix_ = nullptr;
  const Value* single_ = nullptr;
  Area area_;
  int rows_ = 1, cols_ = 1, stored_ = 1;
};

// Whether an operand holds more than one value: an array or a block.
inline bool isArrayLike(const Operand& o) {
  return o.kind == OperandKind::Array || o.kind == OperandKind::Area;
}

// The size several arrays broadcast to: a single row or column repeats
// along the other's length; positions past an array's size read #N/A.
// Rows from `uniformFrom` on all equal that row.
struct Broadcast {
  int rows = 1, cols = 1, uniformFrom = 0;
  bool tooLarge = false;
};
Broadcast broadcastOf(std::span<const ArrayView> views);
const Value& broadcastAt(const ArrayView& view, int r, int c);

// An array operand from the values of a block, an array or a value;
// #VALUE! when too large.
Operand arrayOf(const Operand& o, const EvalContext& context);

// A binary operator element by element (kArrayMode operators on arrays).
Operand elementwise(Op op, const Operand& a, const Operand& b, const EvalContext& context);
// Negation or percent element by element.
Operand elementwiseUnary(Op op, const Operand& a, const EvalContext& context);

}  // namespace grid
