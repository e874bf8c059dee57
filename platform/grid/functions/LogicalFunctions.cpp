// Truth values and conditions. IF and IFERROR are compiled to jumps so that
// only the branch taken runs; their bodies here run inside arguments that
// take arrays, once per element.
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {
namespace {

using enum ArgKind;

// AND and OR take booleans and numbers from references (text there is
// skipped) and values given directly; no truth value at all is #VALUE!.
enum class Combine { All, Any, Odd };

Operand combine(Args& a, Combine how) {
  bool all = how == Combine::All;
  bool any = false, result = all;
  ErrorCode e = ErrorCode::None;
  for (std::size_t i = 0; i < a.size() && e == ErrorCode::None; ++i) {
    a.forEachItem(i, [&](const Value& v, bool fromReference) {
      if (e != ErrorCode::None) return;
      if (v.isError()) {
        e = v.error;
        return;
      }
      if (fromReference && !(v.isNumber() || v.isBool())) return;
      bool b = false;
      e = toBool(v, b);
      if (e != ErrorCode::None) return;
      any = true;
      result = how == Combine::All ? result && b : how == Combine::Any ? result || b : result != b;
    });
  }
  if (e != ErrorCode::None) return err(e);
  if (!any) return err(ErrorCode::Value);
  return Value::makeBool(result);
}

Operand ifBody(Args& a) {
  std::size_t branch = a.value(0).boolean() ? 1 : 2;
  if (branch >= a.size()) return Value::makeBool(false);
  const Operand& o = a.operand(branch);
  return o.kind == OperandKind::Missing ? Operand(Value::makeNumber(0)) : o;
}

Operand ifErrorBody(Args& a) {
  return scalarOf(a.operand(0), a.context()).isError() ? a.operand(1) : a.operand(0);
}

Operand ifNaBody(Args& a) {
  const Value& v = scalarOf(a.operand(0), a.context());
  return v.isError() && v.error == ErrorCode::NA ? a.operand(1) : a.operand(0);
}

Operand given(const Operand& o) {
  return o.kind == OperandKind::Missing ? Operand(Value::makeNumber(0)) : o;
}

// IFS(condition, value, ...): the value of the first true condition.
Operand ifs(Args& a) {
  if (a.size() % 2 != 0) return err(ErrorCode::NA);
  for (std::size_t i = 0; i < a.size(); i += 2) {
    bool b = false;
    if (ErrorCode e = toBool(scalarOf(a.operand(i), a.context()), b); e != ErrorCode::None)
      return err(e);
    if (b) return given(a.operand(i + 1));
  }
  return err(ErrorCode::NA);
}

// SWITCH(expression, case, value, ..., [default]): equal as "=" compares.
Operand switchBody(Args& a) {
  const Value& x = scalarOf(a.operand(0), a.context());
  if (x.isError()) return x;
  std::size_t i = 1;
  for (; i + 1 < a.size(); i += 2) {
    const Value& c = scalarOf(a.operand(i), a.context());
    if (c.isError()) return c;
    if (x.kind == c.kind && compareValues(x, c) == 0) return given(a.operand(i + 1));
  }
  return i < a.size() ? given(a.operand(i)) : err(ErrorCode::NA);
}

constexpr FunctionInfo kFunctions[] = {
    {"AND", 1, kVariadic, takes(List), [](Args& a) { return combine(a, Combine::All); }},
    {"FALSE", 0, 0, takes(), [](Args&) -> Operand { return Value::makeBool(false); }},
    {"IF", 2, 3, takes(Boolean, Any), ifBody},
    {"IFERROR", 2, 2, takes(Any), ifErrorBody},
    {"IFNA", 2, 2, takes(Any), ifNaBody},
    {"IFS", 2, kVariadic, takes(Any), ifs},
    {"NOT", 1, 1, takes(Boolean),
     [](Args& a) -> Operand { return Value::makeBool(!a.boolean(0)); }},
    {"OR", 1, kVariadic, takes(List), [](Args& a) { return combine(a, Combine::Any); }},
    {"SWITCH", 3, kVariadic, takes(Any), switchBody},
    {"TRUE", 0, 0, takes(), [](Args&) -> Operand { return Value::makeBool(true); }},
    {"XOR", 1, kVariadic, takes(List), [](Args& a) { return combine(a, Combine::Odd); }},
};

}  // namespace

std::span<const FunctionInfo> logicalFunctions() {
  return kFunctions;
}

}  // namespace grid
