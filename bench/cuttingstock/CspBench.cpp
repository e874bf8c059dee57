// The optimiser on the two standard families: 20 uniform bin-packing
// instances of 120 items and 20 random cutting-stock instances of 50
// lengths. One table line per instance, first-fit decreasing beside, and
// per family how many plans lie within one bar of the LP bound and the
// slowest solve.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "core/cuttingstock/CuttingStock.h"
#include "core/cuttingstock/Instances.h"

namespace {
using Clock = std::chrono::steady_clock;

struct Timed {
  csp::Plan plan;
  double ms = 0;
};

Timed timed(const std::function<csp::Plan()>& solve) {
  auto start = Clock::now();
  Timed t{solve(), 0};
  t.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  return t;
}

void family(const char* title, csp::Problem (*make)(int)) {
  std::printf("\n%s\n", title);
  std::printf("%-10s %6s %9s %4s | %5s %4s %9s | %5s %4s %8s\n", "instance", "pieces", "LP bars",
              "LB", "CG", "gap", "ms", "FFD", "gap", "ms");
  int within = 0, ffdWithin = 0;
  double slowest = 0;
  for (int k = 0; k < 20; ++k) {
    csp::Problem p = make(k);
    int pieces = 0;
    for (const csp::Piece& piece : p.pieces) pieces += piece.count;
    Timed cg = timed([&] { return csp::optimise(p); });
    Timed ffd = timed([&] { return csp::firstFitDecreasing(p); });
    int lb = cg.plan.barsLowerBound;
    within += cg.plan.barsUsed <= lb + 1;
    ffdWithin += ffd.plan.barsUsed <= lb + 1;
    slowest = std::max(slowest, cg.ms);
    std::printf("%-10s %6d %9.3f %4d | %5d %+4d %9.1f | %5d %+4d %8.2f%s\n", p.name.c_str(), pieces,
                cg.plan.lpBars, lb, cg.plan.barsUsed, cg.plan.barsUsed - lb, cg.ms,
                ffd.plan.barsUsed, ffd.plan.barsUsed - lb, ffd.ms,
                cg.plan.method == csp::Method::ColumnGeneration ? "" : "  (solver failed)");
  }
  std::printf(
      "within one bar of the bound: column generation %d of 20, first-fit decreasing %d of "
      "20; slowest solve %.1f ms\n",
      within, ffdWithin, slowest);
}
}  // namespace

int main() {
  family("Uniform bin packing, 120 items in 20..100, bins of 150", csp::uniformBinPacking120);
  family("Random cutting stock, 50 lengths in 50..600, demands 1..50, bars of 1000",
         csp::randomCuttingStock50);
  return 0;
}
