#pragma once
#include "platform/arx/AcArray.h"

// The standard size that the tolerance functions pick for a value: the
// nearest standard within the tolerances (down below the value, up above
// it); without one, the value rounded to a multiple of step within the
// tolerances; failing that, the value kept within them. Tolerances whose sum
// is 0 or less are reported to the sheet's author (when standards messages
// are on) and the computation goes on with them.
double sizeWithTolerance(const AcArray<double>& standards, double value, double step, double down,
                         double up);
