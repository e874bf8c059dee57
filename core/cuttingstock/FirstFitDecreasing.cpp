#include "core/cuttingstock/FirstFitDecreasing.h"

#include <algorithm>
#include <numeric>

namespace csp::detail {

namespace {
constexpr double kEps = 1e-9;

// The stock length a new bar for an item of this size is cut from, or -1.
int newBarStock(const Model& model, const std::vector<int>& available, double size) {
  int best = -1;
  auto better = [&](int j) {
    if (best < 0) return true;
    bool shopJ = model.available[static_cast<size_t>(j)] >= 0;
    bool shopBest = model.available[static_cast<size_t>(best)] >= 0;
    if (shopJ != shopBest) return shopJ;
    double capJ = model.capacity[static_cast<size_t>(j)];
    double capBest = model.capacity[static_cast<size_t>(best)];
    if (!shopJ) {
      double perJ = model.weight[static_cast<size_t>(j)] / capJ;
      double perBest = model.weight[static_cast<size_t>(best)] / capBest;
      if (perJ < perBest - kEps) return true;
      if (perJ > perBest + kEps) return false;
    }
    return capJ > capBest;
  };
  for (int j = 0; j < model.stocks(); ++j) {
    if (available[static_cast<size_t>(j)] == 0) continue;
    if (size > model.capacity[static_cast<size_t>(j)] + kEps) continue;
    if (better(j)) best = j;
  }
  return best;
}
}  // namespace

std::vector<Pattern> firstFitDecreasing(const Model& model, const std::vector<int>& demand,
                                        std::vector<int>& available, std::vector<int>& unplaced) {
  std::vector<int> order(static_cast<size_t>(model.items()));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return model.size[static_cast<size_t>(a)] > model.size[static_cast<size_t>(b)];
  });
  std::vector<Pattern> bars;
  std::vector<double> room;
  unplaced.assign(static_cast<size_t>(model.items()), 0);
  for (int item : order) {
    double size = model.size[static_cast<size_t>(item)];
    for (int n = 0; n < demand[static_cast<size_t>(item)]; ++n) {
      size_t bar = 0;
      while (bar < bars.size() && room[bar] + kEps < size) ++bar;
      if (bar == bars.size()) {
        int stock = newBarStock(model, available, size);
        if (stock < 0) {
          ++unplaced[static_cast<size_t>(item)];
          continue;
        }
        if (available[static_cast<size_t>(stock)] > 0) --available[static_cast<size_t>(stock)];
        bars.push_back({stock, std::vector<int>(static_cast<size_t>(model.items()), 0)});
        room.push_back(model.capacity[static_cast<size_t>(stock)]);
      }
      ++bars[bar].counts[static_cast<size_t>(item)];
      room[bar] -= size;
    }
  }
  return bars;
}

}  // namespace csp::detail
