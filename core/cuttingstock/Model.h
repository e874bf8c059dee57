#pragma once
#include <vector>

#include "core/cuttingstock/CuttingStock.h"

namespace csp::detail {

// The problem as the solvers see it: pieces of equal length merged into one
// item, every size widened by one saw cut, so that a bar of length L holds
// the items whose sizes sum to at most L + sawCut.
struct Model {
  std::vector<double> size;              // per item
  std::vector<int> demand;               // per item
  std::vector<std::vector<int>> pieces;  // per item: the pieces of that length
  std::vector<double> capacity;          // per stock length
  std::vector<double> weight;            // per stock length: what one bar costs the objective
  std::vector<int> available;            // per stock length; -1 unlimited
  double sawCut = 0;                     // as given, or 0 when it is no width
  std::vector<Unplaced> unfit;           // pieces no stock length holds
  int items() const { return static_cast<int>(size.size()); }
  int stocks() const { return static_cast<int>(capacity.size()); }
};

// One bar's cuts: a count per item.
struct Pattern {
  int stock = 0;
  std::vector<int> counts;
  bool operator==(const Pattern&) const = default;
};

// Purchase cost first, then the length of stock used (waste): each bar
// weighs its cost plus a charge per mm small enough that no saving of
// length can outweigh one bought bar.
Model buildModel(const Problem& problem);

// The plan of the bars cut as the patterns say (each entry one bar); pieces
// of an item are handed out in the order of the problem's list.
Plan assemblePlan(const Problem& problem, const Model& model, const std::vector<Pattern>& bars,
                  const std::vector<int>& unplacedPerItem);

}  // namespace csp::detail
