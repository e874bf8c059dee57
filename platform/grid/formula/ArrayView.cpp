#include "platform/grid/formula/ArrayView.h"

#include <algorithm>

#include "platform/grid/formula/Bytecode.h"
#include "platform/grid/formula/Operators.h"

namespace grid {

ArrayView::ArrayView(const Operand& o, const EvalContext& context)
    : operand_(&o), context_(&context) {
  switch (o.kind) {
    case OperandKind::Array:
      matrix_ = o.array.get();
      rows_ = matrix_->rows, cols_ = matrix_->cols, stored_ = matrix_->filled;
      break;
    case OperandKind::Ref:
    case OperandKind::Area:
      area_ = o.area;
      rows_ = o.area.height(), cols_ = o.area.width();
      stored_ = std::clamp(context.cells.rowLimit() - o.area.row1, 0, rows_);
      break;
    case OperandKind::Missing:
      single_ = &CellStore::emptyValue();
      break;
    case OperandKind::Value:
      single_ = &o.value;
      break;
  }
  if (single_) rows_ = cols_ = stored_ = 1;
}

Broadcast broadcastOf(std::span<const ArrayView> views) {
  Broadcast b;
  for (const ArrayView& v : views)
    b.rows = std::max(b.rows, v.rows()), b.cols = std::max(b.cols, v.cols());
  for (const ArrayView& v : views) {
    // Where this view stops changing from row to row.
    int from = v.rows() == 1 ? 0 : v.rows() < b.rows ? v.rows() : v.uniformFrom();
    b.uniformFrom = std::max(b.uniformFrom, from);
  }
  b.uniformFrom = std::min(b.uniformFrom, b.rows);
  b.tooLarge = arrayTooLarge(b.rows, b.cols, b.uniformFrom);
  return b;
}

const Value& broadcastAt(const ArrayView& view, int r, int c) {
  static const Value notAvailable = Value::makeError(ErrorCode::NA);
  int rr = view.rows() == 1 ? 0 : r, cc = view.cols() == 1 ? 0 : c;
  if (rr >= view.rows() || cc >= view.cols()) return notAvailable;
  return view.at(rr, cc);
}

namespace {

// Fills a matrix of the broadcast size from f(r, c), computing the uniform
// rows once.
template <class F>
Operand build(const Broadcast& b, F&& f) {
  if (b.tooLarge) return Value::makeError(ErrorCode::Value);
  auto m = std::make_shared<Matrix>();
  m->rows = b.rows, m->cols = b.cols, m->filled = b.uniformFrom;
  m->cells.reserve(static_cast<std::size_t>(m->filled) * m->cols);
  for (int r = 0; r < m->filled; ++r)
    for (int c = 0; c < m->cols; ++c) m->cells.push_back(f(r, c));
  if (m->filled < m->rows) {
    m->tail.reserve(static_cast<std::size_t>(m->cols));
    for (int c = 0; c < m->cols; ++c) m->tail.push_back(f(m->filled, c));
  }
  return Operand::makeArray(std::move(m));
}

}  // namespace

Operand arrayOf(const Operand& o, const EvalContext& context) {
  if (o.kind == OperandKind::Array) return o;
  ArrayView v(o, context);
  Broadcast b;
  b.rows = v.rows(), b.cols = v.cols(), b.uniformFrom = v.uniformFrom();
  b.tooLarge = arrayTooLarge(b.rows, b.cols, b.uniformFrom);
  return build(b, [&](int r, int c) { return v.at(r, c); });
}

Operand elementwise(Op op, const Operand& a, const Operand& b, const EvalContext& context) {
  ArrayView views[2] = {ArrayView(a, context), ArrayView(b, context)};
  return build(broadcastOf(views), [&](int r, int c) {
    return applyOperator(op, broadcastAt(views[0], r, c), broadcastAt(views[1], r, c));
  });
}

Operand elementwiseUnary(Op op, const Operand& a, const EvalContext& context) {
  ArrayView views[1] = {ArrayView(a, context)};
  return build(broadcastOf(views), [&](int r, int c) {
    double x = 0;
    ErrorCode e = toNumber(views[0].at(r, c), x);
    if (e != ErrorCode::None) return Value::makeError(e);
    return Value::makeNumber(op == Op::Neg ? -x : x / 100);
  });
}

}  // namespace grid
