#include "core/cuttingstock/Instances.h"

#include <cstdint>
#include <random>
#include <set>
#include <string>

namespace csp {

namespace {
// Uniform in lo..hi from the generator's raw draws, so that every standard
// library gives the same instances.
int uniform(std::mt19937& rng, int lo, int hi) {
  std::uint64_t span = static_cast<std::uint64_t>(hi - lo + 1);
  return lo + static_cast<int>(rng() % span);
}

Problem withStock(std::string name, double length) {
  Problem p;
  p.name = std::move(name);
  p.stock.push_back({Stock::Source::Purchase, length, 0, 1.0});
  return p;
}
}  // namespace

Problem uniformBinPacking120(int k) {
  std::mt19937 rng(1000u + static_cast<unsigned>(k));
  Problem p = withStock("u120_" + std::string(k < 10 ? "0" : "") + std::to_string(k), 150);
  for (int i = 0; i < 120; ++i)
    p.pieces.push_back({static_cast<double>(uniform(rng, 20, 100)), 1, std::to_string(i + 1)});
  return p;
}

Problem randomCuttingStock50(int k) {
  std::mt19937 rng(2000u + static_cast<unsigned>(k));
  Problem p = withStock("csp50_" + std::string(k < 10 ? "0" : "") + std::to_string(k), 1000);
  std::set<int> used;
  while (used.size() < 50) {
    int length = uniform(rng, 50, 600);
    if (!used.insert(length).second) continue;
    p.pieces.push_back(
        {static_cast<double>(length), uniform(rng, 1, 50), "P" + std::to_string(used.size())});
  }
  return p;
}

}  // namespace csp
