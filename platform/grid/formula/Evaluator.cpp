#include "platform/grid/formula/Evaluator.h"

#include <bit>
#include <cmath>

#include "platform/grid/Limits.h"
#include "platform/grid/formula/ArrayView.h"
#include "platform/grid/formula/Bytecode.h"
#include "platform/grid/formula/Operators.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"

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
    case OperandKind::Array:
      // A single value from an array is its first element.
      return o.array->rows > 0 && o.array->cols > 0 ? o.array->at(0, 0) : valueError();
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
        int col = static_cast<int>(operandOf(instr)), row = static_cast<int>(w[pc + 1]);
        o.area = {col, row, col, row};
        pc += 2;
        continue;
      }
      case Op::Area:
        stack_.push_back(
            Operand::range({static_cast<int>(operandOf(instr)), static_cast<int>(w[pc + 1]),
                            static_cast<int>(w[pc + 2]), static_cast<int>(w[pc + 3])}));
        pc += 4;
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
        if (operandOf(instr) == kArrayMode && (isArrayLike(left) || isArrayLike(stack_.back()))) {
          Operand r = elementwise(op, left, stack_.back(), context);
          stack_.pop_back();
          stack_.back() = std::move(r);
          break;
        }
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
        if (operandOf(instr) == kArrayMode && isArrayLike(stack_.back())) {
          stack_.back() = elementwiseUnary(op, stack_.back(), context);
          break;
        }
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
      case Op::Call:
      case Op::CallArray: {
        std::uint32_t operand = operandOf(instr);
        std::size_t argc = operand >> 16;
        if (stack_.size() < argc) return Value::makeError(ErrorCode::Value);
        std::span<const Operand> args(stack_.data() + stack_.size() - argc, argc);
        int id = static_cast<int>(operand & 0xFFFF);
        Operand r = op == Op::CallArray ? callArray(id, args, context) : call(id, args, context);
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
      case Op::MakeArray: {
        auto m = std::make_shared<Matrix>();
        m->cols = static_cast<int>(operandOf(instr));
        m->rows = m->filled = static_cast<int>(w[pc + 1]);
        std::size_t n = static_cast<std::size_t>(m->rows) * m->cols;
        if (stack_.size() < n) return Value::makeError(ErrorCode::Value);
        m->cells.reserve(n);
        for (std::size_t i = stack_.size() - n; i < stack_.size(); ++i)
          m->cells.push_back(std::move(stack_[i].value));
        stack_.resize(stack_.size() - n);
        stack_.push_back(Operand::makeArray(std::move(m)));
        pc += 2;
        continue;
      }
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

namespace {
bool takesArrays(ArgKind k) {
  return k == ArgKind::List || k == ArgKind::Array || k == ArgKind::Reference;
}
}  // namespace

// Arguments that take single values but are given arrays make the call run
// once per element; the results form an array of the broadcast size.
Operand Evaluator::callArray(int id, std::span<const Operand> raw, const EvalContext& context) {
  const FunctionInfo& f = FunctionTable::instance().at(id);
  std::vector<ArrayView> views;
  std::vector<std::size_t> lifted;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (takesArrays(f.kind(i)) || !isArrayLike(raw[i])) continue;
    views.emplace_back(raw[i], context);
    lifted.push_back(i);
  }
  if (lifted.empty()) return call(id, raw, context);
  Broadcast b = broadcastOf(views);
  if (b.tooLarge) return Value::makeError(ErrorCode::Value);
  std::vector<Operand> one(raw.begin(), raw.end());
  auto element = [&](int r, int c) {
    for (std::size_t k = 0; k < lifted.size(); ++k)
      one[lifted[k]] = Operand(broadcastAt(views[k], r, c));
    Operand o = call(id, one, context);
    return o.kind == OperandKind::Value ? std::move(o.value) : Value(scalarOf(o, context));
  };
  auto m = std::make_shared<Matrix>();
  m->rows = b.rows, m->cols = b.cols, m->filled = b.uniformFrom;
  m->cells.reserve(static_cast<std::size_t>(m->filled) * m->cols);
  for (int r = 0; r < m->filled; ++r)
    for (int c = 0; c < m->cols; ++c) m->cells.push_back(element(r, c));
  if (m->filled < m->rows)
    for (int c = 0; c < m->cols; ++c) m->tail.push_back(element(m->filled, c));
  return Operand::makeArray(std::move(m));
}

Operand Evaluator::call(int id, std::span<const Operand> raw, const EvalContext& context) {
  const FunctionInfo& f = FunctionTable::instance().at(id);
  std::size_t argc = raw.size();
  scalars_.resize(argc);
  for (std::size_t i = 0; i < argc; ++i) {
    const Operand& o = raw[i];
    Value& s = scalars_[i];
    ArgKind kind = f.kind(i);
    if (kind == ArgKind::List || kind == ArgKind::Array || kind == ArgKind::Any) continue;
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
