#include "core/Rounding.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kNoise = 1e-12;

bool usable(double v, double step) {
  return std::isfinite(v) && std::isfinite(step) && step > 0;
}
double guard(double q) {
  return kNoise * std::max(1.0, std::fabs(q));
}
}  // namespace

double ObjectExportRoundTo(double v, double step) {
  if (!usable(v, step)) return v;
  double q = std::fabs(v / step);
  double whole = std::floor(q);
  double n = whole + (q - whole >= 0.5 - guard(q) ? 1.0 : 0.0);
  if (n == 0) return 0.0;  // never -0
  return (v < 0 ? -n : n) * step;
}

double ObjectExportRoundUp(double v, double step, double tolerance) {
  if (!usable(v, step)) return v;
  double q = v / step;
  double slack = std::max(guard(q), std::min(std::max(tolerance, 0.0) / step, 1e-6));
  double n = std::ceil(q);
  if (q - (n - 1.0) <= slack) n -= 1.0;  // just above a multiple: take that one
  if (n == 0) return 0.0;
  return n * step;
}
