#pragma once
#include "core/dcm_export.h"

// Rounding to a step. A step of 0 or less, or a value or step that is not
// finite, returns v unchanged.
//
// A quotient v / step that misses a whole or half number only by
// floating-point noise (relative 1e-12) counts as that number, so 0.35 rounds
// to 0.4 at step 0.1 although 0.35 / 0.1 is 3.4999999999999996.

// Nearest multiple of step; halves go away from zero.
DCM_API double ObjectExportRoundTo(double v, double step);

// Smallest multiple of step not below v. tolerance widens the noise guard:
// v counts as lying on a multiple m when it exceeds m by at most tolerance,
// capped at a millionth of the step, so the result is never noticeably below
// v whatever the caller passes (the standards functions pass a dimension
// tolerance there). 0 or less keeps the built-in guard alone.
DCM_API double ObjectExportRoundUp(double v, double step, double tolerance);
