#include "platform/grid/functions/Criteria.h"

#include "platform/grid/NumberText.h"
#include "platform/grid/functions/Coercion.h"
#include "platform/grid/functions/Wildcard.h"

namespace grid {

Criterion::Criterion(const Value& criterion) {
  if (!criterion.isText()) {
    operand_ = criterion.isEmpty() ? Value::makeText("") : criterion;
    return;
  }
  std::string_view t = criterion.text;
  if (t.starts_with("<>"))
    cmp_ = Cmp::Ne, t.remove_prefix(2);
  else if (t.starts_with("<="))
    cmp_ = Cmp::Le, t.remove_prefix(2);
  else if (t.starts_with(">="))
    cmp_ = Cmp::Ge, t.remove_prefix(2);
  else if (t.starts_with("="))
    cmp_ = Cmp::Eq, t.remove_prefix(1);
  else if (t.starts_with("<"))
    cmp_ = Cmp::Lt, t.remove_prefix(1);
  else if (t.starts_with(">"))
    cmp_ = Cmp::Gt, t.remove_prefix(1);
  double d = 0;
  if (parseNumber(t, d)) {
    operand_ = Value::makeNumber(d);
  } else if (equalNoCase(t, "TRUE") || equalNoCase(t, "FALSE")) {
    operand_ = Value::makeBool(equalNoCase(t, "TRUE"));
  } else {
    operand_ = Value::makeText(std::string(t));
    wildcard_ = (cmp_ == Cmp::Eq || cmp_ == Cmp::Ne) && hasWildcards(t);
  }
}

bool Criterion::matchesEmpty() const {
  if (operand_.isText() && operand_.text.empty()) return cmp_ == Cmp::Eq;
  return cmp_ == Cmp::Ne;
}

bool Criterion::matches(const Value& cell) const {
  if (cell.isEmpty()) return matchesEmpty();
  if (cell.isError())
    return cmp_ == Cmp::Ne && !(operand_.isError() && operand_.error == cell.error);
  bool equal;
  if (operand_.isText() && operand_.text.empty()) {
    // "=" matches empty cells only, "<>" every cell that holds something.
    return cmp_ == Cmp::Ne;
  }
  if (cell.kind != operand_.kind) {
    // Different kinds never match, except through "<>".
    return cmp_ == Cmp::Ne;
  }
  if (wildcard_) {
    equal = wildcardMatch(operand_.text, cell.text);
    return cmp_ == Cmp::Eq ? equal : !equal;
  }
  int c = compareValues(cell, operand_);
  switch (cmp_) {
    case Cmp::Eq:
      return c == 0;
    case Cmp::Ne:
      return c != 0;
    case Cmp::Lt:
      return c < 0;
    case Cmp::Le:
      return c <= 0;
    case Cmp::Gt:
      return c > 0;
    case Cmp::Ge:
      return c >= 0;
  }
  return false;
}

}  // namespace grid
