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

// Variance of a sample (divided by n - 1) or of a whole population (by
// n), two passes for accuracy.
Operand variance(Args& a, bool root, bool population) {
  std::vector<double> v;
  ErrorCode e = collect(a, v);
  if (e != ErrorCode::None) return err(e);
  if (v.size() < (population ? 1u : 2u)) return err(ErrorCode::Div0);
  double mean = 0;
  for (double x : v) mean += x;
  mean /= static_cast<double>(v.size());
  double ss = 0;
  for (double x : v) ss += (x - mean) * (x - mean);
  double var = ss / static_cast<double>(population ? v.size() : v.size() - 1);
  return num(root ? std::sqrt(var) : var);
}

// The numbers of the first argument only, sorted; #NUM! when there are none.
ErrorCode sortedFirst(Args& a, std::vector<double>& v) {
  ErrorCode e = a.forEachNumber(0, [&](double x) { v.push_back(x); });
  if (e != ErrorCode::None) return e;
  if (v.empty()) return ErrorCode::Num;
  std::sort(v.begin(), v.end());
  return ErrorCode::None;
}

// LARGE and SMALL: the k-th value from the top or the bottom.
Operand kth(Args& a, bool largest) {
  std::vector<double> v;
  if (ErrorCode e = sortedFirst(a, v); e != ErrorCode::None) return err(e);
  double k = std::ceil(a.number(1));
  if (k < 1 || k > static_cast<double>(v.size())) return err(ErrorCode::Num);
  std::size_t i = static_cast<std::size_t>(k) - 1;
  return num(largest ? v[v.size() - 1 - i] : v[i]);
}

// Linear interpolation between the closest ranks, k from 0 to 1.
Operand percentileOf(std::vector<double>& v, double k) {
  if (k < 0 || k > 1) return err(ErrorCode::Num);
  double h = (static_cast<double>(v.size()) - 1) * k;
  std::size_t lo = static_cast<std::size_t>(std::floor(h));
  double frac = h - std::floor(h);
  if (lo + 1 >= v.size()) return num(v[lo]);
  return num(v[lo] + frac * (v[lo + 1] - v[lo]));
}

Operand percentile(Args& a) {
  std::vector<double> v;
  if (ErrorCode e = sortedFirst(a, v); e != ErrorCode::None) return err(e);
  return percentileOf(v, a.number(1));
}

Operand quartile(Args& a) {
  std::vector<double> v;
  if (ErrorCode e = sortedFirst(a, v); e != ErrorCode::None) return err(e);
  double q = std::trunc(a.number(1));
  if (q < 0 || q > 4) return err(ErrorCode::Num);
  return percentileOf(v, q / 4);
}

// RANK(number, list, [order]): 1 for the largest (order 0) or the smallest.
Operand rank(Args& a) {
  double x = a.number(0);
  bool ascending = a.given(2) && a.number(2) != 0;
  double above = 0;
  bool found = false;
  ErrorCode e = a.forEachNumber(1, [&](double v) {
    if (v == x) found = true;
    if (ascending ? v < x : v > x) above += 1;
  });
  if (e != ErrorCode::None) return err(e);
  return found ? num(above + 1) : err(ErrorCode::NA);
}

// The most frequent number; among equally frequent ones the first met.
Operand mode(Args& a) {
  std::vector<double> v;
  ErrorCode e = collect(a, v);
  if (e != ErrorCode::None) return err(e);
  std::vector<double> sorted = v;
  std::sort(sorted.begin(), sorted.end());
  std::size_t best = 1;
  double value = 0;
  for (double x : v) {
    auto [lo, hi] = std::equal_range(sorted.begin(), sorted.end(), x);
    std::size_t n = static_cast<std::size_t>(hi - lo);
    if (n > best) best = n, value = x;
  }
  return best > 1 ? num(value) : err(ErrorCode::NA);
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
    {"STDEV", 1, kVariadic, takes(List), [](Args& a) { return variance(a, true, false); }},
    {"STDEV.P", 1, kVariadic, takes(List), [](Args& a) { return variance(a, true, true); }},
    {"STDEV.S", 1, kVariadic, takes(List), [](Args& a) { return variance(a, true, false); }},
    {"STDEVP", 1, kVariadic, takes(List), [](Args& a) { return variance(a, true, true); }},
    {"VAR", 1, kVariadic, takes(List), [](Args& a) { return variance(a, false, false); }},
    {"VAR.P", 1, kVariadic, takes(List), [](Args& a) { return variance(a, false, true); }},
    {"VAR.S", 1, kVariadic, takes(List), [](Args& a) { return variance(a, false, false); }},
    {"VARP", 1, kVariadic, takes(List), [](Args& a) { return variance(a, false, true); }},
    {"LARGE", 2, 2, takes(List, Number), [](Args& a) { return kth(a, true); }},
    {"SMALL", 2, 2, takes(List, Number), [](Args& a) { return kth(a, false); }},
    {"PERCENTILE", 2, 2, takes(List, Number), percentile},
    {"PERCENTILE.INC", 2, 2, takes(List, Number), percentile},
    {"QUARTILE", 2, 2, takes(List, Number), quartile},
    {"QUARTILE.INC", 2, 2, takes(List, Number), quartile},
    {"RANK", 2, 3, takes(Number, List, Number), rank},
    {"RANK.EQ", 2, 3, takes(Number, List, Number), rank},
    {"MODE", 1, kVariadic, takes(List), mode},
    {"MODE.SNGL", 1, kVariadic, takes(List), mode},
};

}  // namespace

std::span<const FunctionInfo> statisticsFunctions() {
  return kFunctions;
}

}  // namespace grid
