// Rounding to decimals, to multiples and to whole numbers.
#include <cmath>

#include "platform/grid/NumberText.h"
#include "platform/grid/functions/FunctionArgs.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {
namespace {

using enum ArgKind;

int digitsOf(Args& a, std::size_t i) {
  if (!a.given(i)) return 0;
  double d = std::trunc(a.number(i));
  return d > 400 ? 400 : d < -400 ? -400 : static_cast<int>(d);
}

// x / step as the user means it: 1.1 / 0.1 is 11, not 11.000000000000002.
double quotient(double x, double step) {
  double q = x / step;
  double r = std::round(q);
  return std::fabs(q - r) <= 1e-12 * std::max(1.0, std::fabs(q)) ? r : q;
}

Operand ceiling(Args& a) {
  double x = a.number(0), step = a.number(1);
  if (step == 0 || x == 0) return num(0);
  if (x > 0 && step < 0) return err(ErrorCode::Num);
  return num(roundSignificant(std::ceil(quotient(x, step)) * step));
}

Operand floor(Args& a) {
  double x = a.number(0), step = a.number(1);
  if (x == 0) return num(0);
  if (step == 0) return err(ErrorCode::Div0);
  if (x > 0 && step < 0) return err(ErrorCode::Num);
  return num(roundSignificant(std::floor(quotient(x, step)) * step));
}

// EVEN and ODD round away from zero to the next even or odd whole number.
Operand roundToParity(double x, bool odd) {
  double m = std::ceil(std::fabs(x));
  bool isOdd = std::fmod(m, 2) == 1;
  if (odd ? !isOdd : isOdd) m += 1;
  if (odd && m == 0) m = 1;
  return num(x < 0 ? -m : m);
}

constexpr FunctionInfo kFunctions[] = {
    {"CEILING", 2, 2, takes(Number), ceiling},
    {"EVEN", 1, 1, takes(Number), [](Args& a) { return roundToParity(a.number(0), false); }},
    {"FLOOR", 2, 2, takes(Number), floor},
    {"INT", 1, 1, takes(Number), [](Args& a) { return num(std::floor(a.number(0))); }},
    {"ODD", 1, 1, takes(Number), [](Args& a) { return roundToParity(a.number(0), true); }},
    {"ROUND", 2, 2, takes(Number),
     [](Args& a) { return num(roundDecimal(a.number(0), digitsOf(a, 1))); }},
    {"ROUNDDOWN", 2, 2, takes(Number),
     [](Args& a) { return num(roundDecimal(a.number(0), digitsOf(a, 1), RoundMode::TowardZero)); }},
    {"ROUNDUP", 2, 2, takes(Number),
     [](Args& a) {
       return num(roundDecimal(a.number(0), digitsOf(a, 1), RoundMode::AwayFromZero));
     }},
    {"TRUNC", 1, 2, takes(Number),
     [](Args& a) { return num(roundDecimal(a.number(0), digitsOf(a, 1), RoundMode::TowardZero)); }},
};

}  // namespace

std::span<const FunctionInfo> roundingFunctions() {
  return kFunctions;
}

}  // namespace grid
