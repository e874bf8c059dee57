// Truth values and conditions. IF and IFERROR are compiled to jumps so that
// only the branch taken runs; their bodies here serve the table's metadata
// and evaluate all arguments.
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {
namespace {

using enum ArgKind;

// AND and OR take booleans and numbers from references (text there is
// skipped) and values given directly; no truth value at all is #VALUE!.
Operand combine(Args& a, bool all) {
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
      result = all ? result && b : result || b;
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

constexpr FunctionInfo kFunctions[] = {
    {"AND", 1, kVariadic, takes(List), [](Args& a) { return combine(a, true); }},
    {"FALSE", 0, 0, takes(), [](Args&) -> Operand { return Value::makeBool(false); }},
    {"IF", 2, 3, takes(Boolean, List), ifBody},
    {"IFERROR", 2, 2, takes(List), ifErrorBody},
    {"NOT", 1, 1, takes(Boolean),
     [](Args& a) -> Operand { return Value::makeBool(!a.boolean(0)); }},
    {"OR", 1, kVariadic, takes(List), [](Args& a) { return combine(a, false); }},
    {"TRUE", 0, 0, takes(), [](Args&) -> Operand { return Value::makeBool(true); }},
};

}  // namespace

std::span<const FunctionInfo> logicalFunctions() {
  return kFunctions;
}

}  // namespace grid
