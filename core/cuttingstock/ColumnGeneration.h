#pragma once
#include <vector>

#include "core/cuttingstock/Knapsack.h"
#include "core/cuttingstock/Model.h"

namespace csp::detail {

// The linear relaxation of the cutting-stock problem, solved by column
// generation: a master LP over the patterns found so far (GLPK's simplex),
// priced by a knapsack per stock length with the master's duals, until no
// pattern lowers the objective. Every item also has a slack column at a
// price above any bar, so the master is always feasible; slack in the
// answer means the stock cannot hold the demand.
class ColumnGeneration {
 public:
  struct Solution {
    bool ok = false;
    double value = 0;               // the relaxation's optimum
    std::vector<Pattern> patterns;  // with positive value
    std::vector<double> amounts;    // parallel to patterns
    std::vector<double> slack;      // per item
  };

  ColumnGeneration(const Model& model, std::vector<double> weights);

  // The relaxation for this demand and these bars left in stock. The
  // patterns found are kept for the next call.
  Solution solve(const std::vector<int>& demand, const std::vector<int>& available);
  // The best whole-bar plan over the patterns found so far (GLPK's branch
  // and cut), within the time given; not ok when none was found.
  Solution solveInteger(const std::vector<int>& demand, const std::vector<int>& available,
                        int milliseconds);

 private:
  class Master;
  void seed(const std::vector<int>& demand, const std::vector<int>& available);
  bool addPattern(Pattern pattern);

  const Model& model_;
  std::vector<double> weight_;
  double slackPrice_ = 1;
  Knapsack knapsack_;
  std::vector<Pattern> pool_;
};

}  // namespace csp::detail
