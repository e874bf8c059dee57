#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/grid/grid_export.h"

namespace grid {

enum class ValueKind : std::uint8_t { Empty, Number, Text, Boolean, Error };

enum class ErrorCode : std::uint8_t { None, Div0, Value, Ref, Name, NA, Num };

// The value of a cell or of a step of a formula. A plain cell that holds a
// number keeps the data text it was written with in `text`; readers of a
// Number look at `number` only.
struct GRID_API Value {
  std::string text;
  double number = 0;
  ValueKind kind = ValueKind::Empty;
  ErrorCode error = ErrorCode::None;

  static Value makeNumber(double v) {
    Value r;
    r.kind = ValueKind::Number;
    r.number = v;
    return r;
  }
  static Value makeText(std::string t) {
    Value r;
    r.kind = ValueKind::Text;
    r.text = std::move(t);
    return r;
  }
  static Value makeBool(bool b) {
    Value r;
    r.kind = ValueKind::Boolean;
    r.number = b ? 1 : 0;
    return r;
  }
  static Value makeError(ErrorCode e) {
    Value r;
    r.kind = ValueKind::Error;
    r.error = e;
    return r;
  }

  bool isEmpty() const { return kind == ValueKind::Empty; }
  bool isNumber() const { return kind == ValueKind::Number; }
  bool isText() const { return kind == ValueKind::Text; }
  bool isBool() const { return kind == ValueKind::Boolean; }
  bool isError() const { return kind == ValueKind::Error; }
  bool boolean() const { return number != 0; }
};

// "#DIV/0!", "#VALUE!", ...; empty for ErrorCode::None.
GRID_API std::string_view errorText(ErrorCode code);
// The error literal at the start of text (case-insensitive), with its length.
GRID_API ErrorCode parseErrorLiteral(std::string_view text, std::size_t* length = nullptr);

// The value text of a cell: numbers in the general format, "TRUE"/"FALSE",
// error literals, text as it is, "" for empty.
GRID_API std::string valueText(const Value& v);

}  // namespace grid
