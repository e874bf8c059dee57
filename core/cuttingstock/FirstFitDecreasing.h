#pragma once
#include <vector>

#include "core/cuttingstock/Model.h"

namespace csp::detail {

// First-fit decreasing over the items still wanted: each piece, longest
// first, goes into the first open bar it fits; a new bar is a shop bar
// (longest first) while any is left, else the purchasable length cheapest
// per metre (longest of equals). Pieces without a bar are counted in
// unplaced; available is reduced by the shop bars taken.
std::vector<Pattern> firstFitDecreasing(const Model& model, const std::vector<int>& demand,
                                        std::vector<int>& available, std::vector<int>& unplaced);

}  // namespace csp::detail
