#include "core/cuttingstock/Knapsack.h"

#include <algorithm>
#include <cmath>

namespace csp::detail {

namespace {
// The table of choices grows with the capacity in units; beyond this many
// units lengths are coarsened.
constexpr double kMaxUnits = 200000;

bool whole(double x) {
  return std::fabs(x - std::round(x)) <= 1e-6 * std::max(1.0, std::fabs(x));
}
}  // namespace

Knapsack::Knapsack(const std::vector<double>& sizes, const std::vector<double>& capacities) {
  double largest = 1;
  for (double c : capacities) largest = std::max(largest, c);
  scale_ = 0;
  for (double s : {1.0, 10.0, 100.0, 1000.0}) {
    if (largest * s > kMaxUnits) break;
    bool exact =
        std::all_of(sizes.begin(), sizes.end(), [s](double x) { return whole(x * s); }) &&
        std::all_of(capacities.begin(), capacities.end(), [s](double x) { return whole(x * s); });
    scale_ = s;
    if (exact) break;
  }
  if (scale_ == 0) scale_ = kMaxUnits / largest;
  for (double s : sizes)
    size_.push_back(std::max(1, static_cast<int>(std::ceil(s * scale_ - 1e-6))));
  for (double c : capacities)
    capacity_.push_back(std::max(0, static_cast<int>(std::floor(c * scale_ + 1e-6))));
}

int Knapsack::units(double length) const {
  return static_cast<int>(std::ceil(length * scale_ - 1e-6));
}

std::vector<std::vector<int>> Knapsack::solve(const std::vector<double>& values,
                                              const std::vector<int>& bounds) const {
  int top = 0;
  for (int c : capacity_) top = std::max(top, c);
  // Items split into chunks of 1, 2, 4, ... copies: a 0/1 knapsack over the
  // chunks reaches every count up to the bound.
  struct Chunk {
    int item, copies, size;
    double value;
  };
  std::vector<Chunk> chunks;
  for (size_t i = 0; i < size_.size(); ++i) {
    if (values[i] <= 0 || bounds[i] <= 0 || size_[i] > top) continue;
    int bound = std::min(bounds[i], top / size_[i]);
    for (int k = 1; bound > 0; k *= 2) {
      int copies = std::min(k, bound);
      chunks.push_back({static_cast<int>(i), copies, copies * size_[i], copies * values[i]});
      bound -= copies;
    }
  }
  std::vector<double> best(static_cast<size_t>(top) + 1, 0.0);
  std::vector<std::vector<bool>> taken(chunks.size());
  for (size_t k = 0; k < chunks.size(); ++k) {
    const Chunk& ch = chunks[k];
    taken[k].assign(static_cast<size_t>(top) + 1, false);
    for (int c = top; c >= ch.size; --c) {
      double with = best[static_cast<size_t>(c - ch.size)] + ch.value;
      if (with > best[static_cast<size_t>(c)]) {
        best[static_cast<size_t>(c)] = with;
        taken[k][static_cast<size_t>(c)] = true;
      }
    }
  }
  std::vector<std::vector<int>> sets;
  for (int cap : capacity_) {
    std::vector<int> counts(size_.size(), 0);
    int c = std::min(cap, top);
    for (size_t k = chunks.size(); k-- > 0;) {
      if (c >= 0 && taken[k][static_cast<size_t>(c)]) {
        counts[static_cast<size_t>(chunks[k].item)] += chunks[k].copies;
        c -= chunks[k].size;
      }
    }
    sets.push_back(std::move(counts));
  }
  return sets;
}

}  // namespace csp::detail
