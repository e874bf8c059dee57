#include "platform/grid/formula/Evaluator.h"

#include <bit>
#include <cmath>

#include "platform/grid/Limits.h"
#include "platform/grid/formula/Bytecode.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"
#include "platform/grid/functions/Power.h"

namespace grid {
namespace {

const Value& valueError() {
  static const Value v = Value::makeError(ErrorCode::Value);
  return v;
}

// Results are written into stack slots in place: building a Value and
// moving it costs more than the arithmetic itself. A number slot may keep
// stale text, which nothing reads for numbers.
void setNumber(Operand& o, double v) {
  o.kind = OperandKind::Value;
  o.value.kind = ValueKind::Number;
  o.value.error = ErrorCode::None;
  o.value.number = v;
}
void setError(Operand& o, ErrorCode e) {
  o.kind = OperandKind::Value;
  o.value.kind = ValueKind::Error;
  o.value.error = e;
}
void setBool(Operand& o, bool b) {
  setNumber(o, b ? 1 : 0);
  o.value.kind = ValueKind::Boolean;
}

// The result kind, error and number of an operator on two values.
struct Scalar {
  ValueKind kind = ValueKind::Number;
  ErrorCode error = ErrorCode::None;
  double number = 0;
};

Scalar arithmetic(Op op, const Value& a, const Value& b) {
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

Scalar comparison(Op op, const Value& a, const Value& b) {
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

Value concatenation(const Value& a, const Value& b) {
  std::string x, y;
  ErrorCode e = toText(a, x);
  if (e == ErrorCode::None) e = toText(b, y);
  if (e != ErrorCode::None) return Value::makeError(e);
  if (x.size() + y.size() > kMaxConcatLength) return Value::makeError(ErrorCode::Value);
  x += y;
  return Value::makeText(std::move(x));
}

}  // namespace

const Value& scalarOf(const Operand& o, const EvalContext& context) {
  switch (o.kind) {
    case OperandKind::Value:
      return o.value;
    case OperandKind::Ref:
      return context.value(o.area.col1, o.area.row1);
    case OperandKind::Missing:
      return CellStore::emptyValue();
    case OperandKind::Area: {
      const Area& a = o.area;
      if (a.col1 == a.col2 && context.host.row >= a.row1 && context.host.row <= a.row2)
        return context.value(a.col1, context.host.row);
      if (a.row1 == a.row2 && context.host.col >= a.col1 && context.host.col <= a.col2)
        return context.value(context.host.col, a.row1);
      return valueError();
    }
  }
  return valueError();
}

Value Evaluator::run(const CompiledFormula& formula, const EvalContext& context) {
  auto code = formula.code();
  stack_.clear();
  std::size_t pc = 0;
  const std::uint32_t* w = code.data();
  while (pc < code.size()) {
    std::uint32_t instr = w[pc];
    Op op = opOf(instr);
    switch (op) {
      case Op::Number: {
        std::uint64_t bits = w[pc + 1] | static_cast<std::uint64_t>(w[pc + 2]) << 32;
        setNumber(stack_.emplace_back(), std::bit_cast<double>(bits));
        pc += 3;
        continue;
      }
      case Op::Text: {
        std::uint32_t len = operandOf(instr);
        stack_.emplace_back(
            Value::makeText(std::string(reinterpret_cast<const char*>(w + pc + 1), len)));
        pc += 1 + textWords(len);
        continue;
      }
      case Op::Bool:
        setBool(stack_.emplace_back(), operandOf(instr) != 0);
        break;
      case Op::Error:
        setError(stack_.emplace_back(), static_cast<ErrorCode>(operandOf(instr)));
        break;
      case Op::Missing:
        stack_.emplace_back().kind = OperandKind::Missing;
        break;
      case Op::Ref: {
        Operand& o = stack_.emplace_back();
        o.kind = OperandKind::Ref;
        int col = static_cast<int>(w[pc + 1]), row = static_cast<int>(w[pc + 2]);
        o.area = {col, row, col, row};
        pc += 3;
        continue;
      }
      case Op::Area:
        stack_.push_back(
            Operand::range({static_cast<int>(w[pc + 1]), static_cast<int>(w[pc + 2]),
                            static_cast<int>(w[pc + 3]), static_cast<int>(w[pc + 4])}));
        pc += 5;
        continue;
      case Op::Add:
      case Op::Sub:
      case Op::Mul:
      case Op::Div:
      case Op::Pow:
      case Op::Concat:
      case Op::Eq:
      case Op::Ne:
      case Op::Lt:
      case Op::Le:
      case Op::Gt:
      case Op::Ge: {
        if (stack_.size() < 2) return Value::makeError(ErrorCode::Value);
        Operand& left = stack_[stack_.size() - 2];
        const Value& a = scalarOf(left, context);
        const Value& b = scalarOf(stack_.back(), context);
        if (op == Op::Concat) {
          Value r = concatenation(a, b);
          stack_.pop_back();
          stack_.back() = Operand(std::move(r));
        } else {
          Scalar r = op >= Op::Eq ? comparison(op, a, b) : arithmetic(op, a, b);
          stack_.pop_back();
          Operand& slot = stack_.back();
          slot.kind = OperandKind::Value;
          slot.value.kind = r.kind;
          slot.value.error = r.error;
          slot.value.number = r.number;
        }
        break;
      }
      case Op::Neg:
      case Op::Percent: {
        if (stack_.empty()) return Value::makeError(ErrorCode::Value);
        double x = 0;
        ErrorCode e = toNumber(scalarOf(stack_.back(), context), x);
        if (e != ErrorCode::None)
          setError(stack_.back(), e);
        else
          setNumber(stack_.back(), op == Op::Neg ? -x : x / 100);
        break;
      }
      case Op::Plus:
        break;  // "+A1" is A1 itself
      case Op::Call: {
        std::uint32_t operand = operandOf(instr);
        std::size_t argc = operand >> 16;
        if (stack_.size() < argc) return Value::makeError(ErrorCode::Value);
        Operand r = call(static_cast<int>(operand & 0xFFFF), argc, context);
        stack_.resize(stack_.size() - argc);
        stack_.push_back(std::move(r));
        break;
      }
      case Op::CallCustom: {
        std::size_t argc = operandOf(instr);
        std::uint32_t len = w[pc + 1];
        std::string_view name(reinterpret_cast<const char*>(w + pc + 2), len);
        if (stack_.size() < argc) return Value::makeError(ErrorCode::Value);
        Operand r =
            context.custom
                ? context.custom->callCustom(
                      name, std::span<const Operand>(stack_.data() + stack_.size() - argc, argc),
                      context)
                : Operand(Value::makeError(ErrorCode::Name));
        stack_.resize(stack_.size() - argc);
        stack_.push_back(std::move(r));
        pc += 2 + textWords(len);
        continue;
      }
      case Op::JumpIfFalse: {
        if (stack_.empty()) return Value::makeError(ErrorCode::Value);
        bool b = false;
        ErrorCode e = toBool(scalarOf(stack_.back(), context), b);
        if (e != ErrorCode::None) {
          stack_.back() = Operand(Value::makeError(e));
          pc = w[pc + 1];
          continue;
        }
        stack_.pop_back();
        pc = b ? pc + 2 : operandOf(instr);
        continue;
      }
      case Op::Jump:
        pc = operandOf(instr);
        continue;
      case Op::JumpIfNotError: {
        if (stack_.empty()) return Value::makeError(ErrorCode::Value);
        if (!scalarOf(stack_.back(), context).isError()) {
          pc = operandOf(instr);
          continue;
        }
        stack_.pop_back();
        break;
      }
    }
    ++pc;
  }
  if (stack_.size() != 1) return Value::makeError(ErrorCode::Value);
  const Operand& top = stack_.back();
  if (top.kind == OperandKind::Missing) return Value::makeNumber(0);
  if (top.kind == OperandKind::Value) {
    Value& v = stack_.back().value;
    if (!v.isText()) v.text.clear();  // stale text of a reused slot
    return std::move(v);
  }
  const Value& v = scalarOf(top, context);
  if (v.isEmpty()) return Value::makeNumber(0);
  if (v.isNumber()) return Value::makeNumber(v.number);  // not the data text of a plain cell
  return v;
}

Operand Evaluator::call(int id, std::size_t argc, const EvalContext& context) {
  const FunctionInfo& f = FunctionTable::instance().at(id);
  std::span<const Operand> raw(stack_.data() + stack_.size() - argc, argc);
  scalars_.resize(argc);
  for (std::size_t i = 0; i < argc; ++i) {
    const Operand& o = raw[i];
    Value& s = scalars_[i];
    ArgKind kind = f.kind(i);
    if (kind == ArgKind::List) continue;
    if (kind == ArgKind::Reference) {
      if (o.kind != OperandKind::Missing && !o.isReference()) {
        const Value& v = scalarOf(o, context);
        return Value::makeError(v.isError() ? v.error : ErrorCode::Value);
      }
      continue;
    }
    const Value& v = scalarOf(o, context);
    if (kind == ArgKind::SingleOrError) {
      s = v;
      continue;
    }
    if (v.isError()) return v;
    ErrorCode e = ErrorCode::None;
    switch (kind) {
      case ArgKind::Number:
        s.kind = ValueKind::Number;
        e = toNumber(v, s.number);
        break;
      case ArgKind::Text:
        s.kind = ValueKind::Text;
        e = toText(v, s.text);
        break;
      case ArgKind::Boolean: {
        bool b = false;
        e = toBool(v, b);
        s = Value::makeBool(b);
        break;
      }
      default:
        s = v;
        break;
    }
    if (e != ErrorCode::None) return Value::makeError(e);
  }
  Args args(raw, scalars_, context);
  return f.body(args);
}

}  // namespace grid
