#pragma once
#include <cstdint>

#include "platform/grid/CellAddress.h"
#include "platform/grid/Value.h"
#include "platform/grid/formula/Matrix.h"

namespace grid {

enum class OperandKind : std::uint8_t { Value, Ref, Area, Missing, Array };

// One entry of the evaluation stack: a value, or a reference that is read
// only when an operator or function needs its value (so ROW(A5) or SUM over
// a block never copies cells), or an array.
struct Operand {
  Value value;
  Area area;
  MatrixPtr array;  // an Array operand's elements
  OperandKind kind = OperandKind::Value;

  Operand() = default;
  Operand(Value v) : value(std::move(v)) {}  // NOLINT: values convert freely
  static Operand ref(int col, int row) {
    Operand o;
    o.kind = OperandKind::Ref;
    o.area = {col, row, col, row};
    return o;
  }
  static Operand range(const Area& a) {
    Operand o;
    o.kind = a.col1 == a.col2 && a.row1 == a.row2 ? OperandKind::Ref : OperandKind::Area;
    o.area = a;
    return o;
  }
  static Operand missing() {
    Operand o;
    o.kind = OperandKind::Missing;
    return o;
  }
  static Operand makeArray(MatrixPtr m) {
    Operand o;
    o.kind = OperandKind::Array;
    o.array = std::move(m);
    return o;
  }
  bool isReference() const { return kind == OperandKind::Ref || kind == OperandKind::Area; }
};

}  // namespace grid
