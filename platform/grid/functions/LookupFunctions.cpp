// Positions of references and searches in tables.
#include <cmath>

#include "platform/grid/functions/Coercion.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"
#include "platform/grid/functions/Wildcard.h"

namespace grid {
namespace {

using enum ArgKind;

// A one-dimensional view of a block: the n-th cell along a row or a column.
struct Line {
  const Args& args;
  Area area;
  bool across;  // along the first row
  int size() const { return across ? area.width() : area.height(); }
  const Value& at(int i) const {
    return across ? args.cell(area.col1 + i, area.row1) : args.cell(area.col1, area.row1 + i);
  }
};

bool sameKind(const Value& a, const Value& b) {
  auto cls = [](const Value& v) { return v.isEmpty() ? ValueKind::Number : v.kind; };
  return cls(a) == cls(b);
}

// Exact: the first equal value, text without case and with wildcards.
// Ascending (1): the last value not above the sought one before a larger
// value of the same kind. Descending (-1): the last value not below it.
int search(const Line& line, const Value& sought, int mode) {
  int n = line.size();
  if (mode == 0) {
    bool wild = sought.isText() && hasWildcards(sought.text);
    for (int i = 0; i < n; ++i) {
      const Value& v = line.at(i);
      if (v.isError() || v.isEmpty()) continue;
      if (wild ? v.isText() && wildcardMatch(sought.text, v.text)
               : sameKind(v, sought) && compareValues(v, sought) == 0)
        return i;
    }
    return -1;
  }
  int found = -1;
  for (int i = 0; i < n; ++i) {
    const Value& v = line.at(i);
    if (v.isEmpty() || v.isError() || !sameKind(v, sought)) continue;
    int c = compareValues(v, sought);
    if (mode > 0 ? c <= 0 : c >= 0)
      found = i;
    else
      break;
  }
  return found;
}

int matchMode(Args& a, std::size_t i, int fallback) {
  if (!a.given(i)) return fallback;
  double m = a.number(i);
  return m > 0 ? 1 : m < 0 ? -1 : 0;
}

Operand match(Args& a) {
  const Area& area = a.operand(1).area;
  if (area.width() != 1 && area.height() != 1) return err(ErrorCode::NA);
  Line line{a, area, area.height() == 1};
  int i = search(line, a.value(0), matchMode(a, 2, 1));
  return i < 0 ? err(ErrorCode::NA) : num(i + 1);
}

Operand tableLookup(Args& a, bool vertical) {
  const Area& table = a.operand(1).area;
  double index = std::trunc(a.number(2));
  if (index < 1) return err(ErrorCode::Value);
  if (index > (vertical ? table.width() : table.height())) return err(ErrorCode::Ref);
  bool approximate = !a.given(3) || a.boolean(3);
  Line keys{a, table, !vertical};
  int i = search(keys, a.value(0), approximate ? 1 : 0);
  if (i < 0) return err(ErrorCode::NA);
  int offset = static_cast<int>(index) - 1;
  return vertical ? Operand::ref(table.col1 + offset, table.row1 + i)
                  : Operand::ref(table.col1 + i, table.row1 + offset);
}

Operand lookup(Args& a) {
  const Area& keys = a.operand(1).area;
  bool across = keys.width() > keys.height();
  Line line{a, keys, across};
  int i = search(line, a.value(0), 1);
  if (i < 0) return err(ErrorCode::NA);
  if (!a.given(2)) {
    return across ? Operand::ref(keys.col1 + i, keys.row2) : Operand::ref(keys.col2, keys.row1 + i);
  }
  const Area& result = a.operand(2).area;
  bool resultAcross = result.width() > result.height();
  if (i >= (resultAcross ? result.width() : result.height())) return err(ErrorCode::NA);
  return resultAcross ? Operand::ref(result.col1 + i, result.row1)
                      : Operand::ref(result.col1, result.row1 + i);
}

Operand index(Args& a) {
  const Area& area = a.operand(0).area;
  double r = std::trunc(a.number(1)), c = a.given(2) ? std::trunc(a.number(2)) : 0;
  if (r < 0 || c < 0) return err(ErrorCode::Value);
  // A single row takes its one index as the column.
  if (!a.given(2) && area.height() == 1 && area.width() > 1) std::swap(r, c);
  if (r > area.height() || c > area.width()) return err(ErrorCode::Ref);
  int row = static_cast<int>(r), col = static_cast<int>(c);
  Area out = area;
  if (row > 0) out.row1 = out.row2 = area.row1 + row - 1;
  if (col > 0) out.col1 = out.col2 = area.col1 + col - 1;
  return Operand::range(out);
}

Operand choose(Args& a) {
  double i = std::trunc(a.number(0));
  if (i < 1 || i >= static_cast<double>(a.size())) return err(ErrorCode::Value);
  const Operand& o = a.operand(static_cast<std::size_t>(i));
  if (o.kind == OperandKind::Missing) return Value::makeNumber(0);
  return o;
}

// COLUMN and ROW: of the reference given, or of the formula's own cell.
Operand position(Args& a, bool column) {
  if (!a.given(0)) return num(column ? a.context().host.col : a.context().host.row);
  const Area& area = a.operand(0).area;
  return num(column ? area.col1 : area.row1);
}

constexpr FunctionInfo kFunctions[] = {
    {"CHOOSE", 2, kVariadic, takes(Number, List), choose},
    {"COLUMN", 0, 1, takes(Reference), [](Args& a) { return position(a, true); }},
    {"COLUMNS", 1, 1, takes(Reference),
     [](Args& a) -> Operand { return num(a.operand(0).area.width()); }},
    {"HLOOKUP", 3, 4, takes(Single, Reference, Number, Boolean),
     [](Args& a) { return tableLookup(a, false); }},
    {"INDEX", 2, 3, takes(Reference, Number), index},
    {"LOOKUP", 2, 3, takes(Single, Reference, Reference), lookup},
    {"MATCH", 2, 3, takes(Single, Reference, Number), match},
    {"ROW", 0, 1, takes(Reference), [](Args& a) { return position(a, false); }},
    {"ROWS", 1, 1, takes(Reference),
     [](Args& a) -> Operand { return num(a.operand(0).area.height()); }},
    {"VLOOKUP", 3, 4, takes(Single, Reference, Number, Boolean),
     [](Args& a) { return tableLookup(a, true); }},
};

}  // namespace

std::span<const FunctionInfo> lookupFunctions() {
  return kFunctions;
}

}  // namespace grid
