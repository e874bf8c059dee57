#include "platform/grid/CellInput.h"

#include <algorithm>

#include "platform/grid/Limits.h"
#include "platform/grid/NumberText.h"

namespace grid {

bool interpretInput(const CellType& type, std::string_view text, Value& out) {
  if (text.size() > kMaxTextLength) return false;
  if (type.kind == CellKind::Number) {
    std::size_t a = text.find_first_not_of(" \t");
    if (a == std::string_view::npos) {
      out = Value{};
      return true;
    }
    double v = 0;
    if (!parseNumber(text, v, true)) return false;
    int decimals = std::clamp(type.decimals, 0, 15);
    v = roundDecimal(v, decimals);
    if (type.minimum <= type.maximum) v = std::clamp(v, type.minimum, type.maximum);
    if (v == 0) v = 0;  // no "-0"
    out = Value::makeNumber(v);
    out.text = formatGeneral(v);
    return true;
  }
  if (type.kind == CellKind::Edit && type.maxLength > 0 &&
      text.size() > static_cast<std::size_t>(type.maxLength))
    return false;
  if (text.empty()) {
    out = Value{};
    return true;
  }
  double v = 0;
  if (!type.holdsText() && parseNumber(text, v)) {
    out = Value::makeNumber(v);
    out.text.assign(text);
    return true;
  }
  out = Value::makeText(std::string(text));
  return true;
}

}  // namespace grid
