#pragma once
#include <cmath>
#include <string>

#include "platform/grid/Limits.h"
#include "platform/grid/Value.h"
#include "platform/grid/formula/Bytecode.h"
#include "platform/grid/functions/Coercion.h"
#include "platform/grid/functions/Power.h"

namespace grid {

// The result kind, error and number of an operator on two values.
struct Scalar {
  ValueKind kind = ValueKind::Number;
  ErrorCode error = ErrorCode::None;
  double number = 0;
};

inline Scalar arithmetic(Op op, const Value& a, const Value& b) {
  double x = 0, y = 0;
  ErrorCode e = toNumber(a, x);
  if (e == ErrorCode::None) e = toNumber(b, y);
  if (e != ErrorCode::None) return {ValueKind::Error, e, 0};
  double r = 0;
  switch (op) {
    case Op::Add:
      r = x + y;
      break;
    case Op::Sub:
      r = x - y;
      break;
    case Op::Mul:
      r = x * y;
      break;
    case Op::Div:
      if (y == 0) return {ValueKind::Error, ErrorCode::Div0, 0};
      r = x / y;
      break;
    case Op::Pow:
      if (ErrorCode pe = powerOf(x, y, r); pe != ErrorCode::None) return {ValueKind::Error, pe, 0};
      break;
    default:
      break;
  }
  if (!std::isfinite(r)) return {ValueKind::Error, ErrorCode::Num, 0};
  return {ValueKind::Number, ErrorCode::None, r};
}

inline Scalar comparison(Op op, const Value& a, const Value& b) {
  if (a.isError()) return {ValueKind::Error, a.error, 0};
  if (b.isError()) return {ValueKind::Error, b.error, 0};
  int c = compareValues(a, b);
  bool r = false;
  switch (op) {
    case Op::Eq:
      r = c == 0;
      break;
    case Op::Ne:
      r = c != 0;
      break;
    case Op::Lt:
      r = c < 0;
      break;
    case Op::Le:
      r = c <= 0;
      break;
    case Op::Gt:
      r = c > 0;
      break;
    case Op::Ge:
      r = c >= 0;
      break;
    default:
      break;
  }
  return {ValueKind::Boolean, ErrorCode::None, r ? 1.0 : 0.0};
}

inline Value concatenation(const Value& a, const Value& b) {
  std::string x, y;
  ErrorCode e = toText(a, x);
  if (e == ErrorCode::None) e = toText(b, y);
  if (e != ErrorCode::None) return Value::makeError(e);
  if (x.size() + y.size() > kMaxConcatLength) return Value::makeError(ErrorCode::Value);
  x += y;
  return Value::makeText(std::move(x));
}

// Any binary operator on two values, as a value.
inline Value applyOperator(Op op, const Value& a, const Value& b) {
  if (op == Op::Concat) return concatenation(a, b);
  Scalar r = op >= Op::Eq ? comparison(op, a, b) : arithmetic(op, a, b);
  Value v;
  v.kind = r.kind;
  v.error = r.error;
  v.number = r.number;
  return v;
}

}  // namespace grid
