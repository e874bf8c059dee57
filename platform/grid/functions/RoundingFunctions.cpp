// Rounding to decimals, to multiples and to whole numbers.
#include <algorithm>
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

Operand mround(Args& a) {
  double x = a.number(0), step = a.number(1);
  if (step == 0 || x == 0) return num(0);
  if ((x > 0) != (step > 0)) return err(ErrorCode::Num);
  return num(roundSignificant(std::round(quotient(x, step)) * step));
}

// CEILING.MATH and FLOOR.MATH: to a multiple of the step's size; negative
// numbers go the same way as positive ones unless mode is given and not 0,
// which turns them round (towards zero for FLOOR, away from it for CEILING).
Operand toMultiple(Args& a, bool up, bool withMode) {
  double x = a.number(0);
  double step = a.given(1) ? std::fabs(a.number(1)) : 1;
  bool turned = withMode && a.given(2) && a.number(2) != 0;
  if (step == 0 || x == 0) return num(0);
  double q = quotient(std::fabs(x), step);
  double m;
  if (x > 0)
    m = up ? std::ceil(q) : std::floor(q);
  else
    m = -((up != turned) ? std::floor(q) : std::ceil(q));
  return num(roundSignificant(m * step));
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
    {"CEILING.MATH", 1, 3, takes(Number), [](Args& a) { return toMultiple(a, true, true); }},
    {"CEILING.PRECISE", 1, 2, takes(Number), [](Args& a) { return toMultiple(a, true, false); }},
    {"EVEN", 1, 1, takes(Number), [](Args& a) { return roundToParity(a.number(0), false); }},
    {"FLOOR", 2, 2, takes(Number), floor},
    {"FLOOR.MATH", 1, 3, takes(Number), [](Args& a) { return toMultiple(a, false, true); }},
    {"FLOOR.PRECISE", 1, 2, takes(Number), [](Args& a) { return toMultiple(a, false, false); }},
    {"INT", 1, 1, takes(Number), [](Args& a) { return num(std::floor(a.number(0))); }},
    {"ISO.CEILING", 1, 2, takes(Number), [](Args& a) { return toMultiple(a, true, false); }},
    {"MROUND", 2, 2, takes(Number), mround},
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
