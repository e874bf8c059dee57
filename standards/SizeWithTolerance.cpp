#include "standards/SizeWithTolerance.h"

#include "core/Rounding.h"
#include "standards/StandardsDiagnostics.h"

namespace {

struct Candidate {
  bool found = false;
  double size = 0;
  double distance = 0;
};

// The first of the nearest standards at or below the value, and above it.
void nearestStandards(const AcArray<double>& standards, double value, Candidate& below,
                      Candidate& above) {
  for (double e : standards) {
    Candidate& side = e - value <= 0 ? below : above;
    double distance = e - value <= 0 ? value - e : e - value;
    if (!side.found || distance < side.distance) side = {true, e, distance};
  }
}

bool chooseStandard(const Candidate& below, const Candidate& above, double down, double up,
                    double low, double high, double& size) {
  bool belowFits = below.found && below.distance <= down && below.size <= high;
  bool aboveFits = above.found && above.distance <= up && !(above.size < low);
  bool aboveFirst = above.found && (!below.found || above.distance < below.distance);
  if (aboveFirst ? aboveFits : belowFits) {
    size = aboveFirst ? above.size : below.size;
    return true;
  }
  if (aboveFirst ? belowFits : aboveFits) {
    size = aboveFirst ? below.size : above.size;
    return true;
  }
  return false;
}

double roundWithTolerance(double value, double step, double down, double up, double low,
                          double high) {
  double base = value;
  if (base > high) base = high;
  if (base < low) base = low;
  double upper = ObjectExportRoundUp(base, step, up);
  double lower = ObjectExportRoundTo(base, step);
  if (lower > base) lower -= step;
  double dUp = upper - value;
  double dDown = value - lower;
  bool lowerFits = dDown <= down && !(lower < low);
  bool upperFits = dUp <= up && upper <= high;
  if (dUp >= dDown) {
    if (lowerFits) return lower;
    if (upperFits) return upper;
  } else {
    if (upperFits) return upper;
    if (lowerFits) return lower;
  }
  return base;
}

}  // namespace

double sizeWithTolerance(const AcArray<double>& standards, double value, double step, double down,
                         double up) {
  if (down + up <= 0) reportInvalidTolerances(down, up);
  Candidate below, above;
  nearestStandards(standards, value, below, above);
  double low = value - down;
  double high = value + up;
  double size = 0;
  if (chooseStandard(below, above, down, up, low, high, size)) return size;
  return roundWithTolerance(value, step, down, up, low, high);
}
