#pragma once
#include <string>
#include <string_view>

#include "platform/grid/grid_export.h"

namespace grid {

// The general format of desktop spreadsheets: at most 15 significant
// digits, no trailing zeros, plain notation for magnitudes from 1e-9 up to
// (not including) 1e15, otherwise mantissa and exponent ("1.5E+20").
GRID_API std::string formatGeneral(double v);

// Fixed decimals, halves away from zero; with separators, thousands are
// grouped with ",". "-0.00" reads "0.00".
GRID_API std::string formatFixed(double v, int decimals, bool separators = false);

// Text to number as a spreadsheet reads it: optional blanks, sign, digits
// with one decimal point, optional exponent, optional trailing "%"
// (divides by 100). Nothing else: no hex, no "inf", no thousands commas
// unless allowCommas (then "," between digits is skipped).
GRID_API bool parseNumber(std::string_view text, double& out, bool allowCommas = false);

enum class RoundMode { HalfAwayFromZero, TowardZero, AwayFromZero };

// Rounds at `digits` decimals (negative: left of the point), working on the
// 15-significant-digit decimal form, so ROUND(2.675, 2) is 2.68 as a user
// reads the number rather than as binary stores it.
GRID_API double roundDecimal(double v, int digits, RoundMode mode = RoundMode::HalfAwayFromZero);

}  // namespace grid

namespace grid {
// The number as its 15 significant digits say, so 11 * 0.1 reads 1.1.
GRID_API double roundSignificant(double v);
}  // namespace grid
