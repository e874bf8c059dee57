// Positions of references and searches in tables.
#include <cmath>
#include <utility>

#include "platform/grid/formula/ArrayView.h"
#include "platform/grid/functions/Coercion.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"
#include "platform/grid/functions/Wildcard.h"

namespace grid {
namespace {

using enum ArgKind;

// A one-dimensional view of a block or an array: the n-th value along a
// row or a column.
struct Line {
  ArrayView view;
  bool across;  // along the first row
  // Cells past the last stored row are empty and match nothing.
  int size() const {
    return across ? view.cols() : view.operand().isReference() ? view.uniformFrom() : view.rows();
  }
  const Value& at(int i) const { return across ? view.at(0, i) : view.at(i, 0); }
};

bool sameKind(const Value& a, const Value& b) {
  auto cls = [](const Value& v) { return v.isEmpty() ? ValueKind::Number : v.kind; };
  return cls(a) == cls(b);
}

bool exactlyEqual(const Value& v, const Value& sought, bool wild) {
  if (v.isError() || v.isEmpty()) return false;
  return wild ? v.isText() && wildcardMatch(sought.text, v.text)
              : sameKind(v, sought) && compareValues(v, sought) == 0;
}

// Exact: the first equal value, text without case and with wildcards.
// Ascending (1): the last value not above the sought one before a larger
// value of the same kind. Descending (-1): the last value not below it.
int search(const Line& line, const Value& sought, int mode) {
  int n = line.size();
  if (mode == 0) {
    bool wild = sought.isText() && hasWildcards(sought.text);
    for (int i = 0; i < n; ++i)
      if (exactlyEqual(line.at(i), sought, wild)) return i;
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

// The value at (r, c) of a block or an array argument: a reference for a
// block, so that the result stays one.
Operand element(const ArrayView& v, int r, int c) {
  const Operand& o = v.operand();
  if (o.isReference()) return Operand::ref(o.area.col1 + c, o.area.row1 + r);
  return Operand(v.at(r, c));
}

Operand match(Args& a) {
  ArrayView view(a.operand(1), a.context());
  if (view.cols() != 1 && view.rows() != 1) return err(ErrorCode::NA);
  Line line{view, view.rows() == 1};
  int i = search(line, a.value(0), matchMode(a, 2, 1));
  return i < 0 ? err(ErrorCode::NA) : num(i + 1);
}

Operand tableLookup(Args& a, bool vertical) {
  ArrayView table(a.operand(1), a.context());
  double index = std::trunc(a.number(2));
  if (index < 1) return err(ErrorCode::Value);
  if (index > (vertical ? table.cols() : table.rows())) return err(ErrorCode::Ref);
  bool approximate = !a.given(3) || a.boolean(3);
  Line keys{table, !vertical};
  int i = search(keys, a.value(0), approximate ? 1 : 0);
  if (i < 0) return err(ErrorCode::NA);
  int offset = static_cast<int>(index) - 1;
  return vertical ? element(table, i, offset) : element(table, offset, i);
}

Operand lookup(Args& a) {
  ArrayView keys(a.operand(1), a.context());
  bool across = keys.cols() > keys.rows();
  int i = search(Line{keys, across}, a.value(0), 1);
  if (i < 0) return err(ErrorCode::NA);
  if (!a.given(2))
    return across ? element(keys, keys.rows() - 1, i) : element(keys, i, keys.cols() - 1);
  ArrayView result(a.operand(2), a.context());
  bool resultAcross = result.cols() > result.rows();
  if (i >= (resultAcross ? result.cols() : result.rows())) return err(ErrorCode::NA);
  return resultAcross ? element(result, 0, i) : element(result, i, 0);
}

Operand index(Args& a) {
  const Operand& o = a.operand(0);
  ArrayView view(o, a.context());
  double r = std::trunc(a.number(1)), c = a.given(2) ? std::trunc(a.number(2)) : 0;
  if (r < 0 || c < 0) return err(ErrorCode::Value);
  // A single row takes its one index as the column.
  if (!a.given(2) && view.rows() == 1 && view.cols() > 1) std::swap(r, c);
  if (r > view.rows() || c > view.cols()) return err(ErrorCode::Ref);
  int row = static_cast<int>(r), col = static_cast<int>(c);
  if (o.isReference()) {
    Area out = o.area;
    if (row > 0) out.row1 = out.row2 = o.area.row1 + row - 1;
    if (col > 0) out.col1 = out.col2 = o.area.col1 + col - 1;
    return Operand::range(out);
  }
  if (row > 0 && col > 0) return Operand(view.at(row - 1, col - 1));
  // A whole row or column of an array.
  auto m = std::make_shared<Matrix>();
  m->rows = m->filled = row > 0 ? 1 : view.rows();
  m->cols = col > 0 ? 1 : view.cols();
  for (int i = 0; i < m->rows; ++i)
    for (int j = 0; j < m->cols; ++j)
      m->cells.push_back(view.at(row > 0 ? row - 1 : i, col > 0 ? col - 1 : j));
  return Operand::makeArray(std::move(m));
}

// XMATCH and XLOOKUP: match mode 0 exact, -1 exact or next smaller, 1 exact
// or next larger, 2 wildcards; search mode 1 first to last, -1 last to first,
// 2 and -2 binary search over sorted values (ascending, descending).
int xsearch(const Line& line, const Value& sought, int matchMode, int searchMode) {
  int n = line.size();
  bool wild = matchMode == 2 && sought.isText() && hasWildcards(sought.text);
  if (searchMode == 2 || searchMode == -2) {
    int lo = 0, hi = n - 1, found = -1, below = -1, above = -1;
    while (lo <= hi) {
      int mid = lo + (hi - lo) / 2;
      const Value& v = line.at(mid);
      int c = v.isError() ? 1 : compareValues(v, sought);
      if (searchMode == -2) c = -c;
      if (c == 0) {
        found = mid;
        break;
      }
      if (c < 0)
        below = mid, lo = mid + 1;
      else
        above = mid, hi = mid - 1;
    }
    if (found >= 0 || matchMode == 0 || matchMode == 2) return found;
    if (searchMode == -2) std::swap(below, above);
    return matchMode < 0 ? below : above;
  }
  int best = -1;
  for (int k = 0; k < n; ++k) {
    int i = searchMode < 0 ? n - 1 - k : k;
    const Value& v = line.at(i);
    if (exactlyEqual(v, sought, wild)) return i;
    if (matchMode != 1 && matchMode != -1) continue;
    if (v.isEmpty() || v.isError() || !sameKind(v, sought)) continue;
    int c = compareValues(v, sought);
    if (matchMode < 0 ? c > 0 : c < 0) continue;
    if (best < 0) {
      best = i;
      continue;
    }
    int d = compareValues(v, line.at(best));
    if (matchMode < 0 ? d > 0 : d < 0) best = i;
  }
  return best;
}

bool xmodes(Args& a, std::size_t at, int& matchMode, int& searchMode) {
  matchMode = a.given(at) ? static_cast<int>(std::trunc(a.number(at))) : 0;
  searchMode = a.given(at + 1) ? static_cast<int>(std::trunc(a.number(at + 1))) : 1;
  return matchMode >= -1 && matchMode <= 2 &&
         (searchMode == 1 || searchMode == -1 || searchMode == 2 || searchMode == -2);
}

Operand xmatch(Args& a) {
  ArrayView view(a.operand(1), a.context());
  if (view.cols() != 1 && view.rows() != 1) return err(ErrorCode::Value);
  int m = 0, s = 0;
  if (!xmodes(a, 2, m, s)) return err(ErrorCode::Value);
  int i = xsearch(Line{view, view.rows() == 1}, a.value(0), m, s);
  return i < 0 ? err(ErrorCode::NA) : num(i + 1);
}

// XLOOKUP(sought, keys, results, [if not found], [match mode], [search mode]):
// the row (or column) of results where keys holds the sought value.
Operand xlookup(Args& a) {
  ArrayView keys(a.operand(1), a.context()), results(a.operand(2), a.context());
  if (keys.cols() != 1 && keys.rows() != 1) return err(ErrorCode::Value);
  bool across = keys.rows() == 1 && keys.cols() > 1;
  if (across ? results.cols() != keys.cols() : results.rows() != keys.rows())
    return err(ErrorCode::Value);
  int m = 0, s = 0;
  if (!xmodes(a, 4, m, s)) return err(ErrorCode::Value);
  int i = xsearch(Line{keys, across}, a.value(0), m, s);
  if (i < 0) return a.given(3) ? a.operand(3) : err(ErrorCode::NA);
  const Operand& o = results.operand();
  if (o.isReference()) {
    Area out = o.area;
    if (across)
      out.col1 = out.col2 = o.area.col1 + i;
    else
      out.row1 = out.row2 = o.area.row1 + i;
    return Operand::range(out);
  }
  if (across ? results.rows() == 1 : results.cols() == 1)
    return Operand(across ? results.at(0, i) : results.at(i, 0));
  auto out = std::make_shared<Matrix>();
  out->rows = out->filled = across ? results.rows() : 1;
  out->cols = across ? 1 : results.cols();
  for (int r = 0; r < out->rows; ++r)
    for (int c = 0; c < out->cols; ++c)
      out->cells.push_back(across ? results.at(r, i) : results.at(i, c));
  return Operand::makeArray(std::move(out));
}

Operand choose(Args& a) {
  double i = std::trunc(a.number(0));
  if (i < 1 || i >= static_cast<double>(a.size())) return err(ErrorCode::Value);
  const Operand& o = a.operand(static_cast<std::size_t>(i));
  if (o.kind == OperandKind::Missing) return Value::makeNumber(0);
  return o;
}

// COLUMN and ROW: of the reference given, or of the formula's own cell. A
// block gives the numbers of all its columns or rows as an array (its first
// where one value is needed); past kMaxLineNumbers only the first.
constexpr int kMaxLineNumbers = 65536;

Operand position(Args& a, bool column) {
  if (!a.given(0)) return num(column ? a.context().host.col : a.context().host.row);
  const Area& area = a.operand(0).area;
  int first = column ? area.col1 : area.row1;
  int count = column ? area.width() : area.height();
  if (count == 1 || count > kMaxLineNumbers) return num(first);
  auto m = std::make_shared<Matrix>();
  m->rows = m->filled = column ? 1 : count;
  m->cols = column ? count : 1;
  m->cells.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) m->cells.push_back(Value::makeNumber(first + i));
  return Operand::makeArray(std::move(m));
}

// ROWS and COLUMNS of a block or an array; a single value is none.
Operand size(Args& a, bool columns) {
  const Operand& o = a.operand(0);
  if (!o.isReference() && o.kind != OperandKind::Array)
    return err(o.kind == OperandKind::Value && o.value.isError() ? o.value.error
                                                                 : ErrorCode::Value);
  ArrayView v(o, a.context());
  return num(columns ? v.cols() : v.rows());
}

constexpr FunctionInfo kFunctions[] = {
    {"CHOOSE", 2, kVariadic, takes(Number, Any), choose},
    {"COLUMN", 0, 1, takes(Reference), [](Args& a) { return position(a, true); }},
    {"COLUMNS", 1, 1, takes(Array), [](Args& a) { return size(a, true); }},
    {"HLOOKUP", 3, 4, takes(Single, Array, Number, Boolean),
     [](Args& a) { return tableLookup(a, false); }},
    {"INDEX", 2, 3, takes(Array, Number), index},
    {"LOOKUP", 2, 3, takes(Single, Array, Array), lookup},
    {"MATCH", 2, 3, takes(Single, Array, Number), match},
    {"ROW", 0, 1, takes(Reference), [](Args& a) { return position(a, false); }},
    {"ROWS", 1, 1, takes(Array), [](Args& a) { return size(a, false); }},
    {"VLOOKUP", 3, 4, takes(Single, Array, Number, Boolean),
     [](Args& a) { return tableLookup(a, true); }},
    {"XLOOKUP", 3, 6, takes(Single, Array, Array, Any, Number), xlookup},
    {"XMATCH", 2, 4, takes(Single, Array, Number), xmatch},
};

}  // namespace

std::span<const FunctionInfo> lookupFunctions() {
  return kFunctions;
}

}  // namespace grid
