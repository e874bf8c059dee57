#pragma once
#include <cmath>

#include "platform/grid/Value.h"

namespace grid {

// x to the power y for the ^ operator and POWER alike: 0^0 is #NUM! and 0 to
// a negative power #DIV/0!. The caller checks that the result is finite.
inline ErrorCode powerOf(double x, double y, double& result) {
  if (x == 0 && y == 0) return ErrorCode::Num;
  if (x == 0 && y < 0) return ErrorCode::Div0;
  result = std::pow(x, y);
  return ErrorCode::None;
}

}  // namespace grid
