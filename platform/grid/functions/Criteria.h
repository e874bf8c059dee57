#pragma once
#include <string>

#include "platform/grid/Value.h"
#include "platform/grid/grid_export.h"

namespace grid {

// The condition of COUNTIF and SUMIF: a value (equal to it), or text that
// starts with =, <>, <, <=, > or >= followed by a number or a text; "=" and
// "<>" texts may hold wildcards. Text compares without case.
class GRID_API Criterion {
 public:
  explicit Criterion(const Value& criterion);
  bool matches(const Value& cell) const;
  bool matchesEmpty() const;

 private:
  enum class Cmp { Eq, Ne, Lt, Le, Gt, Ge } cmp_ = Cmp::Eq;
  Value operand_;
  bool wildcard_ = false;
};

}  // namespace grid
