// What kind of value an argument holds.
#include <cmath>

#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {
namespace {

using enum ArgKind;

#define IS(NAME, TEST)                                         \
  {                                                            \
    NAME, 1, 1, takes(SingleOrError), [](Args& a) -> Operand { \
      const Value& v = a.value(0);                             \
      return Value::makeBool(TEST);                            \
    }                                                          \
  }

Operand type(Args& a) {
  const Operand& o = a.operand(0);
  if (o.kind == OperandKind::Area || o.kind == OperandKind::Array) return Value::makeNumber(64);
  const Value& v = scalarOf(o, a.context());
  switch (v.kind) {
    case ValueKind::Text:
      return Value::makeNumber(2);
    case ValueKind::Boolean:
      return Value::makeNumber(4);
    case ValueKind::Error:
      return Value::makeNumber(16);
    default:
      return Value::makeNumber(1);
  }
}

Operand n(Args& a) {
  const Value& v = a.value(0);
  if (v.isError()) return v;
  return Value::makeNumber(v.isNumber() || v.isBool() ? v.number : 0);
}

constexpr FunctionInfo kFunctions[] = {
    IS("ISBLANK", v.isEmpty()),
    IS("ISERR", v.isError() && v.error != ErrorCode::NA),
    IS("ISERROR", v.isError()),
    {"ISEVEN", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       return Value::makeBool(std::fmod(std::trunc(a.number(0)), 2) == 0);
     }},
    IS("ISLOGICAL", v.isBool()),
    IS("ISNA", v.isError() && v.error == ErrorCode::NA),
    IS("ISNONTEXT", !v.isText()),
    IS("ISNUMBER", v.isNumber()),
    {"ISODD", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       return Value::makeBool(std::fmod(std::trunc(a.number(0)), 2) != 0);
     }},
    {"ISREF", 1, 1, takes(Any),
     [](Args& a) -> Operand { return Value::makeBool(a.operand(0).isReference()); }},
    IS("ISTEXT", v.isText()),
    {"N", 1, 1, takes(SingleOrError), n},
    {"NA", 0, 0, takes(), [](Args&) { return err(ErrorCode::NA); }},
    {"TYPE", 1, 1, takes(List), type},
};
#undef IS

}  // namespace

std::span<const FunctionInfo> informationFunctions() {
  return kFunctions;
}

}  // namespace grid
