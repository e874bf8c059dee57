// Arithmetic, trigonometry, sums and products.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "platform/grid/NumberText.h"
#include "platform/grid/formula/ArrayView.h"
#include "platform/grid/functions/Criteria.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"
#include "platform/grid/functions/Power.h"

namespace grid {
namespace {

using enum ArgKind;

Operand sum(Args& a) {
  double s = 0;
  ErrorCode e = a.forEachNumberOfAll([&](double v) { s += v; });
  return e != ErrorCode::None ? err(e) : num(s);
}

Operand sumsq(Args& a) {
  double s = 0;
  ErrorCode e = a.forEachNumberOfAll([&](double v) { s += v * v; });
  return e != ErrorCode::None ? err(e) : num(s);
}

Operand product(Args& a) {
  double p = 1;
  bool any = false;
  ErrorCode e = a.forEachNumberOfAll([&](double v) { p *= v, any = true; });
  return e != ErrorCode::None ? err(e) : num(any ? p : 0);
}

Operand mod(Args& a) {
  double n = a.number(0), d = a.number(1);
  if (d == 0) return err(ErrorCode::Div0);
  double r = std::fmod(n, d);
  if (r != 0 && ((r < 0) != (d < 0))) r += d;
  return num(roundSignificant(r));
}

Operand power(Args& a) {
  double r = 0;
  ErrorCode e = powerOf(a.number(0), a.number(1), r);
  return e != ErrorCode::None ? err(e) : num(r);
}

Operand log(Args& a) {
  double x = a.number(0), base = a.given(1) ? a.number(1) : 10;
  if (x <= 0 || base <= 0) return err(ErrorCode::Num);
  if (base == 1) return err(ErrorCode::Div0);
  return num(std::log(x) / std::log(base));
}

Operand fact(Args& a) {
  double n = std::trunc(a.number(0));
  if (n < 0 || n > 170) return err(ErrorCode::Num);
  double f = 1;
  for (int i = 2; i <= static_cast<int>(n); ++i) f *= i;
  return num(f);
}

Operand combin(Args& a) {
  double n = std::trunc(a.number(0)), k = std::trunc(a.number(1));
  if (n < 0 || k < 0 || k > n) return err(ErrorCode::Num);
  if (k > n - k) k = n - k;
  double r = 1;
  for (double i = 1; i <= k; ++i) r = r * (n - k + i) / i;
  return num(std::round(r));
}

Operand atan2(Args& a) {
  double x = a.number(0), y = a.number(1);
  if (x == 0 && y == 0) return err(ErrorCode::Div0);
  return num(std::atan2(y, x));
}

Operand sumif(Args& a) {
  const Area& range = a.operand(0).area;
  Area sums = range;
  if (a.given(2)) {
    const Area& s = a.operand(2).area;
    sums = {s.col1, s.row1, s.col1 + range.width() - 1, s.row1 + range.height() - 1};
  }
  Criterion criterion(a.value(1));
  double total = 0;
  ErrorCode e = ErrorCode::None;
  auto add = [&](int col, int row) {
    const Value& v = a.cell(sums.col1 + col - range.col1, sums.row1 + row - range.row1);
    if (v.isError() && e == ErrorCode::None)
      e = v.error;
    else if (v.isNumber())
      total += v.number;
  };
  if (criterion.matchesEmpty()) {
    int lastRow = std::min(range.row2, a.context().cells.rowLimit() - 1);
    for (int r = range.row1; r <= lastRow; ++r)
      for (int c = range.col1; c <= range.col2; ++c)
        if (criterion.matches(a.cell(c, r))) add(c, r);
  } else {
    a.context().cells.forEachIn(range, [&](const Cell& cell, int row) {
      if (criterion.matches(cell.value)) add(cell.col, row);
    });
  }
  return e != ErrorCode::None ? err(e) : num(total);
}

// Blocks and arrays of one size multiplied element by element and summed;
// what is no number counts as 0. Rows where every argument stays the same
// (past the stored rows of a whole column) are summed at once.
Operand sumproduct(Args& a) {
  std::vector<ArrayView> views;
  views.reserve(a.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    const Operand& o = a.operand(i);
    if (o.kind == OperandKind::Value && o.value.isError()) return o.value;
    views.emplace_back(o, a.context());
    if (views.back().rows() != views[0].rows() || views.back().cols() != views[0].cols())
      return err(ErrorCode::Value);
  }
  int rows = views[0].rows(), cols = views[0].cols(), uniform = 0;
  for (const ArrayView& v : views) uniform = std::max(uniform, v.uniformFrom());
  uniform = std::min(uniform, rows);
  double total = 0;
  auto rowSum = [&](int r, double& out) {
    for (int c = 0; c < cols; ++c) {
      double p = 1;
      for (const ArrayView& v : views) {
        const Value& x = v.at(r, c);
        if (x.isError()) return x.error;
        p *= x.isNumber() ? x.number : 0;
      }
      out += p;
    }
    return ErrorCode::None;
  };
  for (int r = 0; r < uniform; ++r)
    if (ErrorCode e = rowSum(r, total); e != ErrorCode::None) return err(e);
  if (uniform < rows) {
    double same = 0;
    if (ErrorCode e = rowSum(uniform, same); e != ErrorCode::None) return err(e);
    if (same != 0) total += same * (rows - uniform);
  }
  return num(total);
}

Operand quotient(Args& a) {
  double n = a.number(0), d = a.number(1);
  if (d == 0) return err(ErrorCode::Div0);
  return num(std::trunc(roundSignificant(n / d)));
}

// GCD and LCM take whole numbers from 0 up (fractions truncated).
Operand gcdLcm(Args& a, bool lcm) {
  double result = lcm ? 1 : 0;
  bool negative = false;
  ErrorCode e = a.forEachNumberOfAll([&](double v) {
    if (v < 0) negative = true;
    double x = std::trunc(v);
    if (lcm) {
      if (x == 0 || result == 0) {
        result = 0;
        return;
      }
      double g = result, h = x;
      while (h != 0) g = std::fmod(g, h), std::swap(g, h);
      result = result / g * x;
    } else {
      double g = result, h = x;
      while (h != 0) g = std::fmod(g, h), std::swap(g, h);
      result = g;
    }
  });
  if (e != ErrorCode::None) return err(e);
  if (negative || result >= 9007199254740992.0) return err(ErrorCode::Num);
  return num(result);
}

Operand permut(Args& a) {
  double n = std::trunc(a.number(0)), k = std::trunc(a.number(1));
  if (n < 0 || k < 0 || k > n) return err(ErrorCode::Num);
  double r = 1;
  for (double i = 0; i < k; ++i) r *= n - i;
  return num(r);
}

// 1 / f(x) for the reciprocal trigonometric functions; #DIV/0! at a pole.
Operand reciprocal(double d) {
  return d == 0 ? err(ErrorCode::Div0) : num(1 / d);
}

// The trigonometric functions refuse arguments from 2^27 up, as the
// desktop programs do.
bool trigRange(double x) {
  return std::fabs(x) < 134217728.0;
}

#define UNARY(NAME, EXPR)                               \
  {                                                     \
    NAME, 1, 1, takes(Number), [](Args& a) -> Operand { \
      double x = a.number(0);                           \
      return num(EXPR);                                 \
    }                                                   \
  }

constexpr FunctionInfo kFunctions[] = {
    UNARY("ABS", std::fabs(x)),
    {"ACOS", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return std::fabs(x) > 1 ? err(ErrorCode::Num) : num(std::acos(x));
     }},
    {"ACOT", 1, 1, takes(Number),
     [](Args& a) -> Operand { return num(std::numbers::pi / 2 - std::atan(a.number(0))); }},
    {"ACOTH", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return std::fabs(x) <= 1 ? err(ErrorCode::Num) : num(0.5 * std::log((x + 1) / (x - 1)));
     }},
    {"ACOSH", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return x < 1 ? err(ErrorCode::Num) : num(std::acosh(x));
     }},
    {"ASIN", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return std::fabs(x) > 1 ? err(ErrorCode::Num) : num(std::asin(x));
     }},
    UNARY("ASINH", std::asinh(x)),
    UNARY("ATAN", std::atan(x)),
    {"ATAN2", 2, 2, takes(Number), atan2},
    {"ATANH", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return std::fabs(x) >= 1 ? err(ErrorCode::Num) : num(std::atanh(x));
     }},
    {"COMBIN", 2, 2, takes(Number), combin},
    UNARY("COS", std::cos(x)),
    UNARY("COSH", std::cosh(x)),
    {"COT", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return !trigRange(x) ? err(ErrorCode::Num) : reciprocal(std::tan(x));
     }},
    {"COTH", 1, 1, takes(Number),
     [](Args& a) -> Operand { return reciprocal(std::tanh(a.number(0))); }},
    {"CSC", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return !trigRange(x) ? err(ErrorCode::Num) : reciprocal(std::sin(x));
     }},
    {"CSCH", 1, 1, takes(Number),
     [](Args& a) -> Operand { return reciprocal(std::sinh(a.number(0))); }},
    UNARY("DEGREES", x * 180 / std::numbers::pi),
    UNARY("EXP", std::exp(x)),
    {"FACT", 1, 1, takes(Number), fact},
    {"GCD", 1, kVariadic, takes(List), [](Args& a) { return gcdLcm(a, false); }},
    {"LCM", 1, kVariadic, takes(List), [](Args& a) { return gcdLcm(a, true); }},
    {"LN", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return x <= 0 ? err(ErrorCode::Num) : num(std::log(x));
     }},
    {"LOG", 1, 2, takes(Number), log},
    {"LOG10", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return x <= 0 ? err(ErrorCode::Num) : num(std::log10(x));
     }},
    {"MOD", 2, 2, takes(Number), mod},
    {"PERMUT", 2, 2, takes(Number), permut},
    {"PI", 0, 0, takes(), [](Args&) -> Operand { return num(std::numbers::pi); }},
    {"POWER", 2, 2, takes(Number), power},
    {"PRODUCT", 1, kVariadic, takes(List), product},
    {"QUOTIENT", 2, 2, takes(Number), quotient},
    UNARY("RADIANS", x* std::numbers::pi / 180),
    {"SEC", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return !trigRange(x) ? err(ErrorCode::Num) : reciprocal(std::cos(x));
     }},
    {"SECH", 1, 1, takes(Number),
     [](Args& a) -> Operand { return reciprocal(std::cosh(a.number(0))); }},
    UNARY("SIGN", x > 0   ? 1.0
                  : x < 0 ? -1.0
                          : 0.0),
    UNARY("SIN", std::sin(x)),
    UNARY("SINH", std::sinh(x)),
    {"SQRTPI", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return x < 0 ? err(ErrorCode::Num) : num(std::sqrt(x * std::numbers::pi));
     }},
    {"SQRT", 1, 1, takes(Number),
     [](Args& a) -> Operand {
       double x = a.number(0);
       return x < 0 ? err(ErrorCode::Num) : num(std::sqrt(x));
     }},
    {"SUM", 1, kVariadic, takes(List), sum},
    {"SUMIF", 2, 3, takes(Reference, Single, Reference), sumif},
    {"SUMPRODUCT", 1, kVariadic, takes(List), sumproduct},
    {"SUMSQ", 1, kVariadic, takes(List), sumsq},
    UNARY("TAN", std::tan(x)),
    UNARY("TANH", std::tanh(x)),
};
#undef UNARY

}  // namespace

std::span<const FunctionInfo> mathFunctions() {
  return kFunctions;
}

}  // namespace grid
