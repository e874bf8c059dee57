#pragma once
#include <vector>

#include "core/cuttingstock/CuttingStock.h"

// Reproducible instance families for tests and benchmarks, one unlimited
// stock length each, no saw cut.
namespace csp {

// The uniform bin-packing class of 120 items: sizes uniform in 20..100,
// bins of 150; instance k of 0..19 from its own fixed seed.
CSP_API Problem uniformBinPacking120(int k);

// Random cutting stock: 50 distinct piece lengths uniform in 50..600 cut
// from bars of 1000, demands uniform in 1..50; instance k from its seed.
CSP_API Problem randomCuttingStock50(int k);

}  // namespace csp
