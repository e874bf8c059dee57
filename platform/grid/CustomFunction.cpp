#include "platform/grid/CustomFunction.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/grid/Limits.h"
#include "platform/grid/functions/Coercion.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {

ValueRecord ValueRecord::makeInteger(long long v) {
  ValueRecord r;
  r.status = RecordStatus::Valid;
  r.type = RecordType::Integer;
  r.integer = v;
  return r;
}
ValueRecord ValueRecord::makeDouble(double v) {
  ValueRecord r;
  r.status = RecordStatus::Valid;
  r.type = RecordType::Double;
  r.number = v;
  return r;
}
ValueRecord ValueRecord::makeText(std::string v) {
  ValueRecord r;
  r.status = RecordStatus::Valid;
  r.type = RecordType::Text;
  r.text = std::move(v);
  return r;
}
ValueRecord ValueRecord::makeCellRef(int col, int row) {
  ValueRecord r;
  r.status = RecordStatus::Valid;
  r.type = RecordType::CellRef;
  r.col = r.col2 = col;
  r.row = r.row2 = row;
  return r;
}
ValueRecord ValueRecord::makeRange(int col1, int row1, int col2, int row2) {
  ValueRecord r = makeCellRef(col1, row1);
  r.type = RecordType::Range;
  r.col2 = col2;
  r.row2 = row2;
  return r;
}

namespace {
bool validName(std::string_view name) {
  if (name.empty() || name.size() > 255) return false;
  char c0 = name[0];
  if (!((c0 >= 'A' && c0 <= 'Z') || (c0 >= 'a' && c0 <= 'z') || c0 == '_')) return false;
  for (char c : name)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
          c == '.'))
      return false;
  return true;
}

// An argument as a record; false with the error when the argument is one.
bool toRecord(const Operand& o, unsigned flags, const EvalContext& context, ValueRecord& out,
              ErrorCode& error) {
  if (o.kind == OperandKind::Missing) {
    out = ValueRecord{};
    return true;
  }
  if (o.kind == OperandKind::Area) {
    out = ValueRecord::makeRange(o.area.col1, o.area.row1, o.area.col2, o.area.row2);
    return true;
  }
  if (o.kind == OperandKind::Ref && (flags & kCustomFunctionRefArgs)) {
    out = ValueRecord::makeCellRef(o.area.col1, o.area.row1);
    return true;
  }
  const Value& v = scalarOf(o, context);
  switch (v.kind) {
    case ValueKind::Empty:
      out = ValueRecord{};
      break;
    case ValueKind::Number:
      out = ValueRecord::makeDouble(v.number);
      break;
    case ValueKind::Text:
      out = ValueRecord::makeText(v.text);
      break;
    case ValueKind::Boolean:
      out = ValueRecord::makeInteger(v.number != 0 ? 1 : 0);
      break;
    case ValueKind::Error:
      error = v.error;
      return false;
  }
  return true;
}

Operand fromRecord(const ValueRecord& r) {
  if (r.status != RecordStatus::Valid) return Value{};
  switch (r.type) {
    case RecordType::Integer:
      return Value::makeNumber(static_cast<double>(r.integer));
    case RecordType::Double:
      return std::isfinite(r.number) ? Value::makeNumber(r.number)
                                     : Value::makeError(ErrorCode::Num);
    case RecordType::Text:
      if (r.text.size() > kMaxConcatLength) return Value::makeError(ErrorCode::Value);
      return Value::makeText(r.text);
    case RecordType::CellRef:
    case RecordType::Range: {
      Area a{r.col, r.row, r.col, r.row};
      if (r.type == RecordType::Range)
        a = {std::min(r.col, r.col2), std::min(r.row, r.row2), std::max(r.col, r.col2),
             std::max(r.row, r.row2)};
      if (a.col1 < 1 || a.row1 < 1 || a.col2 > kMaxColumns || a.row2 > kMaxRows)
        return Value::makeError(ErrorCode::Ref);
      return Operand::range(a);
    }
  }
  return Value::makeError(ErrorCode::Value);
}
}  // namespace

bool CustomFunctions::add(std::string_view name, int minArgs, int maxArgs,
                          CustomFunctionCallback callback, unsigned flags) {
  if (!validName(name) || minArgs < 0 || maxArgs < minArgs || maxArgs > kMaxArguments || !callback)
    return false;
  std::string upper = upperCase(name);
  if (FunctionTable::instance().find(upper) >= 0) return false;
  auto f = std::make_shared<CustomFunction>();
  f->name = upper;
  f->minArgs = minArgs;
  f->maxArgs = maxArgs;
  f->callback = std::move(callback);
  f->flags = flags;
  functions_[upper] = std::move(f);
  return true;
}

bool CustomFunctions::remove(std::string_view name) {
  return functions_.erase(upperCase(name)) > 0;
}

Operand CustomFunctions::callCustom(std::string_view name, std::span<const Operand> args,
                                    const EvalContext& context) {
  auto it = functions_.find(std::string(name));
  if (it == functions_.end()) return Value::makeError(ErrorCode::Name);
  // Held while it runs: the callback may register functions anew.
  std::shared_ptr<const CustomFunction> f = it->second;
  if (static_cast<int>(args.size()) < f->minArgs || static_cast<int>(args.size()) > f->maxArgs)
    return Value::makeError(ErrorCode::Value);
  std::vector<ValueRecord> records(args.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    ErrorCode e = ErrorCode::None;
    if (!toRecord(args[i], f->flags, context, records[i], e)) return Value::makeError(e);
  }
  ValueRecord result;
  bool ok = false;
  try {
    ok = f->callback(result, records);
  } catch (...) {
    ok = false;  // a throwing callback must not unwind through the sheet
  }
  if (!ok) return Value::makeError(ErrorCode::Value);
  return fromRecord(result);
}

}  // namespace grid
