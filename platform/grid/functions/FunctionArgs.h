#pragma once
#include <cmath>
#include <span>
#include <vector>

#include "platform/grid/formula/EvalContext.h"
#include "platform/grid/functions/Coercion.h"

namespace grid {

// The arguments of one call as a function body sees them: coerced single
// values by position, the raw operands, and walks over lists and blocks.
class Args {
 public:
  Args(std::span<const Operand> raw, std::span<const Value> scalars, const EvalContext& context)
      : raw_(raw), scalars_(scalars), context_(context) {}

  std::size_t size() const { return raw_.size(); }
  // Given and not left empty, as in ROUND(x,).
  bool given(std::size_t i) const {
    return i < raw_.size() && raw_[i].kind != OperandKind::Missing;
  }
  double number(std::size_t i) const { return scalars_[i].number; }
  const std::string& text(std::size_t i) const { return scalars_[i].text; }
  bool boolean(std::size_t i) const { return scalars_[i].number != 0; }
  const Value& value(std::size_t i) const { return scalars_[i]; }
  const Operand& operand(std::size_t i) const { return raw_[i]; }
  const EvalContext& context() const { return context_; }
  const Value& cell(int col, int row) const { return context_.value(col, row); }

  // f(value, fromReference) for each item of argument i: the stored cells
  // of a reference (empty ones skipped), the elements of an array (taken as
  // a reference's cells are), or the value itself.
  template <class F>
  void forEachItem(std::size_t i, F&& f) const {
    const Operand& o = raw_[i];
    if (o.kind == OperandKind::Missing) return;
    if (o.kind == OperandKind::Array) {
      const Matrix& m = *o.array;
      for (const Value& v : m.cells)
        if (!v.isEmpty()) f(v, true);
      for (int r = m.filled; r < m.rows; ++r)
        for (const Value& v : m.tail)
          if (!v.isEmpty()) f(v, true);
      return;
    }
    if (o.isReference()) {
      context_.cells.forEachIn(o.area, [&](const Cell& c, int) {
        if (!c.value.isEmpty()) f(c.value, true);
      });
    } else {
      f(o.value, false);
    }
  }

  // The numbers of argument i as SUM takes them: numbers in references
  // (text, booleans and empty cells there are skipped), and values given
  // directly coerced (text that is no number is #VALUE!). The first error met
  // is returned.
  template <class F>
  ErrorCode forEachNumber(std::size_t i, F&& f) const {
    ErrorCode first = ErrorCode::None;
    forEachItem(i, [&](const Value& v, bool fromReference) {
      if (first != ErrorCode::None) return;
      if (v.isError()) {
        first = v.error;
      } else if (v.isNumber()) {
        f(v.number);
      } else if (!fromReference && !v.isEmpty()) {
        double d = 0;
        first = toNumber(v, d);
        if (first == ErrorCode::None) f(d);
      }
    });
    return first;
  }
  template <class F>
  ErrorCode forEachNumberOfAll(F&& f) const {
    for (std::size_t i = 0; i < raw_.size(); ++i) {
      ErrorCode e = forEachNumber(i, f);
      if (e != ErrorCode::None) return e;
    }
    return ErrorCode::None;
  }

 private:
  std::span<const Operand> raw_;
  std::span<const Value> scalars_;
  const EvalContext& context_;
};

// The results of a function body, one pair for every theme file.
inline Operand err(ErrorCode e) {
  return Value::makeError(e);
}
// #NUM! for results that are no finite number.
inline Operand num(double v) {
  return std::isfinite(v) ? Value::makeNumber(v) : Value::makeError(ErrorCode::Num);
}

}  // namespace grid
