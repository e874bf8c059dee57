#pragma once
#include <string>
#include <vector>

#include "core/cuttingstock/CuttingStock.h"

// Checks a plan against its problem without the optimiser's code: every
// piece placed or reported exactly as often as demanded, no bar over its
// length with the saw cuts counted, no more shop bars than in stock, and
// the totals as the bars add up. One line per fault; none for a sound plan.
std::vector<std::string> planFaults(const csp::Problem& problem, const csp::Plan& plan);
