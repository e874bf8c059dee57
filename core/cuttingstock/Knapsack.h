#pragma once
#include <vector>

namespace csp::detail {

// Bounded knapsack over whole units of length, the pricing step of column
// generation: the most valuable set of items (each at most its bound) whose
// sizes fit a capacity, for several capacities at once.
//
// Lengths become whole units of 1, 0.1, 0.01 or 0.001 mm, the coarsest that
// represents them exactly; when that would make a capacity too many units,
// sizes are rounded up and capacities down, so that a set that fits in units
// also fits in mm.
class Knapsack {
 public:
  Knapsack(const std::vector<double>& sizes, const std::vector<double>& capacities);

  // For each capacity, the counts per item of a best set (value above 0
  // only; an empty set when no item has a positive value).
  std::vector<std::vector<int>> solve(const std::vector<double>& values,
                                      const std::vector<int>& bounds) const;

  int units(double length) const;

 private:
  double scale_ = 1;
  std::vector<int> size_;
  std::vector<int> capacity_;
};

}  // namespace csp::detail
