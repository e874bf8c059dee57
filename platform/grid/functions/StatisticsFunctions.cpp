// Counts, averages, extremes and spreads.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/grid/functions/Criteria.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {
namespace {

using enum ArgKind;

ErrorCode collect(Args& a, std::vector<double>& out) {
  return a.forEachNumberOfAll([&](double v) { out.push_back(v); });
}

Operand average(Args& a) {
  double s = 0;
  std::size_t n = 0;
  ErrorCode e = a.forEachNumberOfAll([&](double v) { s += v, ++n; });
  if (e != ErrorCode::None) return err(e);
  return n == 0 ? err(ErrorCode::Div0) : num(s / static_cast<double>(n));
}

Operand extreme(Args& a, bool max) {
  double best = 0;
  bool any = false;
  ErrorCode e = a.forEachNumberOfAll([&](double v) {
    if (!any || (max ? v > best : v < best)) best = v;
    any = true;
  });
  return e != ErrorCode::None ? err(e) : num(best);
}

Operand median(Args& a) {
  std::vector<double> v;
  ErrorCode e = collect(a, v);
  if (e != ErrorCode::None) return err(e);
  if (v.empty()) return err(ErrorCode::Num);
  std::sort(v.begin(), v.end());
  std::size_t m = v.size() / 2;
  return num(v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2);
}

// Sample variance, two passes for accuracy.
Operand variance(Args& a, bool root) {
  std::vector<double> v;
  ErrorCode e = collect(a, v);
  if (e != ErrorCode::None) return err(e);
  if (v.size() < 2) return err(ErrorCode::Div0);
  double mean = 0;
  for (double x : v) mean += x;
  mean /= static_cast<double>(v.size());
  double ss = 0;
  for (double x : v) ss += (x - mean) * (x - mean);
  double var = ss / static_cast<double>(v.size() - 1);
  return num(root ? std::sqrt(var) : var);
}

// COUNT takes numbers in references, and values given directly that are
// numbers, booleans or text that reads as a number; nothing is an error.
Operand count(Args& a) {
  double n = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    a.forEachItem(i, [&](const Value& v, bool fromReference) {
      double d = 0;
      if (v.isNumber() ||
          (!fromReference && (v.isBool() || (v.isText() && toNumber(v, d) == ErrorCode::None))))
        n += 1;
    });
  }
  return num(n);
}

Operand counta(Args& a) {
  double n = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a.operand(i).kind == OperandKind::Value) {
      n += 1;
      continue;
    }
    a.forEachItem(i, [&](const Value&, bool) { n += 1; });
  }
  return num(n);
}

Operand countblank(Args& a) {
  const Area& area = a.operand(0).area;
  double filled = 0;
  a.context().cells.forEachIn(area, [&](const Cell& c, int) {
    if (!c.value.isEmpty() && !(c.value.isText() && c.value.text.empty())) filled += 1;
  });
  return num(static_cast<double>(area.width()) * area.height() - filled);
}

Operand countif(Args& a) {
  const Area& area = a.operand(0).area;
  Criterion criterion(a.value(1));
  double n = 0, stored = 0;
  a.context().cells.forEachIn(area, [&](const Cell& c, int) {
    if (c.value.isEmpty()) return;
    stored += 1;
    if (criterion.matches(c.value)) n += 1;
  });
  if (criterion.matchesEmpty()) n += static_cast<double>(area.width()) * area.height() - stored;
  return num(n);
}

constexpr FunctionInfo kFunctions[] = {
    {"AVERAGE", 1, kVariadic, takes(List), average},
    {"COUNT", 1, kVariadic, takes(List), count},
    {"COUNTA", 1, kVariadic, takes(List), counta},
    {"COUNTBLANK", 1, 1, takes(Reference), countblank},
    {"COUNTIF", 2, 2, takes(Reference, Single), countif},
    {"MAX", 1, kVariadic, takes(List), [](Args& a) { return extreme(a, true); }},
    {"MEDIAN", 1, kVariadic, takes(List), median},
    {"MIN", 1, kVariadic, takes(List), [](Args& a) { return extreme(a, false); }},
    {"STDEV", 1, kVariadic, takes(List), [](Args& a) { return variance(a, true); }},
    {"VAR", 1, kVariadic, takes(List), [](Args& a) { return variance(a, false); }},
};

}  // namespace

std::span<const FunctionInfo> statisticsFunctions() {
  return kFunctions;
}

}  // namespace grid
