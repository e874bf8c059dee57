#include "platform/grid/Value.h"

#include "platform/grid/NumberText.h"

namespace grid {
namespace {
struct ErrorName {
  ErrorCode code;
  std::string_view text;
};
// Longest first, so "#N/A" is not taken for a prefix of a longer literal.
constexpr ErrorName kErrors[] = {{ErrorCode::Div0, "#DIV/0!"}, {ErrorCode::Value, "#VALUE!"},
                                 {ErrorCode::Name, "#NAME?"},  {ErrorCode::Ref, "#REF!"},
                                 {ErrorCode::Num, "#NUM!"},    {ErrorCode::NA, "#N/A"}};

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char a = text[i], b = prefix[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
    if (a != b) return false;
  }
  return true;
}
}  // namespace

std::string_view errorText(ErrorCode code) {
  for (const ErrorName& e : kErrors)
    if (e.code == code) return e.text;
  return {};
}

ErrorCode parseErrorLiteral(std::string_view text, std::size_t* length) {
  for (const ErrorName& e : kErrors) {
    if (startsWithNoCase(text, e.text)) {
      if (length) *length = e.text.size();
      return e.code;
    }
  }
  return ErrorCode::None;
}

std::string valueText(const Value& v) {
  switch (v.kind) {
    case ValueKind::Empty:
      return {};
    case ValueKind::Number:
      return formatGeneral(v.number);
    case ValueKind::Text:
      return v.text;
    case ValueKind::Boolean:
      return v.number != 0 ? "TRUE" : "FALSE";
    case ValueKind::Error:
      return std::string(errorText(v.error));
  }
  return {};
}

}  // namespace grid
