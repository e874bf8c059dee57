// Sums, counts, averages and extremes over the cells that meet conditions
// (SUMIFS and its kin): pairs of a block and a criterion, all blocks of one
// size, cell i of each block tested against its criterion.
#include <algorithm>
#include <limits>
#include <vector>

#include "platform/grid/functions/Criteria.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {
namespace {

using enum ArgKind;

struct Condition {
  Area area;
  Criterion criterion;
};

// The conditions from argument `first` on, in pairs; false (with the error)
// when a block is missing or of another size than `size`.
bool conditionsOf(Args& a, std::size_t first, std::vector<Condition>& out, ErrorCode& e) {
  if ((a.size() - first) % 2 != 0 || a.size() <= first) {
    e = ErrorCode::Value;
    return false;
  }
  for (std::size_t i = first; i < a.size(); i += 2) {
    const Operand& block = a.operand(i);
    if (!block.isReference()) {
      e = ErrorCode::Value;
      return false;
    }
    const Value& c = scalarOf(a.operand(i + 1), a.context());
    out.push_back({block.area, Criterion(c)});
    if (block.area.width() != out[0].area.width() || block.area.height() != out[0].area.height()) {
      e = ErrorCode::Value;
      return false;
    }
  }
  return true;
}

// f(dc, dr) for each offset inside the blocks where every condition holds.
// Only stored cells are visited: through a condition that no empty cell
// meets when there is one, else row by row up to the last stored row, the
// rows after it counted at once with f(-1, count).
template <class F>
void forEachMatch(const Args& a, const std::vector<Condition>& conds, F&& f) {
  const CellStore& cells = a.context().cells;
  auto holds = [&](int dc, int dr) {
    for (const Condition& c : conds)
      if (!c.criterion.matches(cells.value(c.area.col1 + dc, c.area.row1 + dr))) return false;
    return true;
  };
  auto driver = std::find_if(conds.begin(), conds.end(),
                             [](const Condition& c) { return !c.criterion.matchesEmpty(); });
  if (driver != conds.end()) {
    cells.forEachIn(driver->area, [&](const Cell& cell, int row) {
      int dc = cell.col - driver->area.col1, dr = row - driver->area.row1;
      if (holds(dc, dr)) f(dc, dr);
    });
    return;
  }
  const Area& first = conds[0].area;
  int top = first.row1;
  for (const Condition& c : conds) top = std::min(top, c.area.row1);
  int scanned = std::clamp(cells.rowLimit() - top, 0, first.height());
  for (int dr = 0; dr < scanned; ++dr)
    for (int dc = 0; dc < first.width(); ++dc)
      if (holds(dc, dr)) f(dc, dr);
  // Past the last stored row every block is empty and every condition holds.
  if (scanned < first.height()) f(-1, (first.height() - scanned) * first.width());
}

enum class Fold { Sum, Count, Average, Max, Min };

// The cells of `values` at the matching offsets, folded; only numbers take
// part, and an error among them is the result.
Operand fold(Args& a, const Area* values, const std::vector<Condition>& conds, Fold how) {
  double total = 0, n = 0;
  double best = how == Fold::Max ? -std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::infinity();
  ErrorCode e = ErrorCode::None;
  forEachMatch(a, conds, [&](int dc, int dr) {
    if (how == Fold::Count) {
      n += dc < 0 ? dr : 1;
      return;
    }
    if (dc < 0) return;  // empty cells hold no number
    const Value& v = a.cell(values->col1 + dc, values->row1 + dr);
    if (v.isError()) {
      if (e == ErrorCode::None) e = v.error;
    } else if (v.isNumber()) {
      total += v.number, n += 1;
      best = how == Fold::Max ? std::max(best, v.number) : std::min(best, v.number);
    }
  });
  if (e != ErrorCode::None) return err(e);
  switch (how) {
    case Fold::Sum:
      return num(total);
    case Fold::Count:
      return num(n);
    case Fold::Average:
      return n == 0 ? err(ErrorCode::Div0) : num(total / n);
    case Fold::Max:
    case Fold::Min:
      return n == 0 ? num(0) : num(best);
  }
  return err(ErrorCode::Value);
}

// SUMIFS, AVERAGEIFS, MAXIFS, MINIFS: the values block first, then pairs.
Operand foldIfs(Args& a, Fold how) {
  if (!a.operand(0).isReference()) return err(ErrorCode::Value);
  std::vector<Condition> conds;
  ErrorCode e = ErrorCode::None;
  if (!conditionsOf(a, 1, conds, e)) return err(e);
  const Area& values = a.operand(0).area;
  if (values.width() != conds[0].area.width() || values.height() != conds[0].area.height())
    return err(ErrorCode::Value);
  return fold(a, &values, conds, how);
}

Operand countifs(Args& a) {
  std::vector<Condition> conds;
  ErrorCode e = ErrorCode::None;
  if (!conditionsOf(a, 0, conds, e)) return err(e);
  return fold(a, nullptr, conds, Fold::Count);
}

// AVERAGEIF(block, criterion, [values]): the values block takes the size of
// the first, from its own top left cell, as SUMIF does.
Operand averageif(Args& a) {
  if (!a.operand(0).isReference()) return err(ErrorCode::Value);
  std::vector<Condition> conds;
  conds.push_back({a.operand(0).area, Criterion(scalarOf(a.operand(1), a.context()))});
  Area values = conds[0].area;
  if (a.given(2)) {
    if (!a.operand(2).isReference()) return err(ErrorCode::Value);
    const Area& s = a.operand(2).area;
    values = {s.col1, s.row1, s.col1 + values.width() - 1, s.row1 + values.height() - 1};
  }
  return fold(a, &values, conds, Fold::Average);
}

constexpr FunctionInfo kFunctions[] = {
    {"AVERAGEIF", 2, 3, takes(Any), averageif},
    {"AVERAGEIFS", 3, kVariadic, takes(Any), [](Args& a) { return foldIfs(a, Fold::Average); }},
    {"COUNTIFS", 2, kVariadic, takes(Any), countifs},
    {"MAXIFS", 3, kVariadic, takes(Any), [](Args& a) { return foldIfs(a, Fold::Max); }},
    {"MINIFS", 3, kVariadic, takes(Any), [](Args& a) { return foldIfs(a, Fold::Min); }},
    {"SUMIFS", 3, kVariadic, takes(Any), [](Args& a) { return foldIfs(a, Fold::Sum); }},
};

}  // namespace

std::span<const FunctionInfo> conditionalFunctions() {
  return kFunctions;
}

}  // namespace grid
