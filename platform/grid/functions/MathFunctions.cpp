// Arithmetic, trigonometry, sums and products.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/grid/NumberText.h"
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

Operand sumproduct(Args& a) {
  const Area* first = nullptr;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const Operand& o = a.operand(i);
    if (!o.isReference()) {
      if (o.kind == OperandKind::Value && o.value.isError()) return o.value;
      return err(ErrorCode::Value);
    }
    if (!first)
      first = &o.area;
    else if (o.area.width() != first->width() || o.area.height() != first->height())
      return err(ErrorCode::Value);
  }
  // Rows past the last stored row are empty everywhere and add nothing.
  int rows = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const Area& ar = a.operand(i).area;
    rows = std::max(rows, std::min(ar.height(), a.context().cells.rowLimit() - ar.row1));
  }
  double total = 0;
  for (int dr = 0; dr < rows; ++dr) {
    for (int dc = 0; dc < first->width(); ++dc) {
      double p = 1;
      for (std::size_t i = 0; i < a.size(); ++i) {
        const Area& ar = a.operand(i).area;
        const Value& v = a.cell(ar.col1 + dc, ar.row1 + dr);
        if (v.isError()) return err(v.error);
        p *= v.isNumber() ? v.number : 0;
      }
      total += p;
    }
  }
  return num(total);
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
    UNARY("DEGREES", x * 180 / std::numbers::pi),
    UNARY("EXP", std::exp(x)),
    {"FACT", 1, 1, takes(Number), fact},
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
    {"PI", 0, 0, takes(), [](Args&) -> Operand { return num(std::numbers::pi); }},
    {"POWER", 2, 2, takes(Number), power},
    {"PRODUCT", 1, kVariadic, takes(List), product},
    UNARY("RADIANS", x* std::numbers::pi / 180),
    UNARY("SIGN", x > 0   ? 1.0
                  : x < 0 ? -1.0
                          : 0.0),
    UNARY("SIN", std::sin(x)),
    UNARY("SINH", std::sinh(x)),
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
