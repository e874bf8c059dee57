// The optimiser: the relaxation by column generation, then rounding with
// repair, and first-fit decreasing only when the solver fails.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/cuttingstock/ColumnGeneration.h"
#include "core/cuttingstock/CuttingStock.h"
#include "core/cuttingstock/FirstFitDecreasing.h"
#include "core/cuttingstock/Model.h"

namespace csp {

using detail::ColumnGeneration;
using detail::Model;
using detail::Pattern;

namespace {
constexpr int kMaxRounds = 500;
// Time the integer program may take when rounding did not reach the bound.
constexpr int kIntegerMs = 400;
constexpr double kEps = 1e-6;

bool anyLeft(const std::vector<int>& demand) {
  return std::any_of(demand.begin(), demand.end(), [](int n) { return n > 0; });
}

bool noSlack(const ColumnGeneration::Solution& s) {
  return std::all_of(s.slack.begin(), s.slack.end(), [](double x) { return x <= kEps; });
}

// Takes one bar of the pattern, cut down to the demand left; false when
// nothing of it is wanted or its stock is used up.
bool takeBar(const Pattern& p, std::vector<int>& demand, std::vector<int>& available,
             std::vector<Pattern>& bars) {
  int& left = available[static_cast<size_t>(p.stock)];
  if (left == 0) return false;
  Pattern bar = p;
  bool any = false;
  for (size_t i = 0; i < bar.counts.size(); ++i) {
    bar.counts[i] = std::min(bar.counts[i], demand[i]);
    demand[i] -= bar.counts[i];
    any = any || bar.counts[i] > 0;
  }
  if (!any) return false;
  if (left > 0) --left;
  bars.push_back(std::move(bar));
  return true;
}

// One round of rounding: whole bars of the relaxation, pieces the stock
// cannot hold, or else the most used pattern once. False when nothing moved.
bool roundOnce(const ColumnGeneration::Solution& lp, std::vector<int>& demand,
               std::vector<int>& available, std::vector<Pattern>& bars,
               std::vector<int>& unplaced) {
  bool moved = false;
  for (size_t i = 0; i < demand.size(); ++i) {
    int n = std::min(static_cast<int>(std::floor(lp.slack[i] + kEps)), demand[i]);
    if (n <= 0) continue;
    unplaced[i] += n;
    demand[i] -= n;
    moved = true;
  }
  std::vector<size_t> order(lp.patterns.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return lp.amounts[a] > lp.amounts[b]; });
  for (size_t k : order)
    for (int n = static_cast<int>(std::floor(lp.amounts[k] + kEps)); n > 0; --n) {
      if (!takeBar(lp.patterns[k], demand, available, bars)) break;
      moved = true;
    }
  if (moved) return true;
  for (size_t k : order)
    if (takeBar(lp.patterns[k], demand, available, bars)) return true;
  // Only slack is left: the stock cannot hold these pieces.
  for (size_t i = 0; i < demand.size(); ++i) {
    if (lp.slack[i] <= kEps || demand[i] == 0) continue;
    unplaced[i] += demand[i];
    demand[i] = 0;
    moved = true;
  }
  return moved;
}

// Same weight for every bar in stock: the objective counts bars.
bool sameWeights(const Model& model, const std::vector<double>& weights) {
  double first = -1;
  for (int j = 0; j < model.stocks(); ++j) {
    if (model.available[static_cast<size_t>(j)] == 0) continue;
    double w = weights[static_cast<size_t>(j)];
    if (first < 0) first = w;
    if (std::fabs(w - first) > 1e-12 * std::max(1.0, first)) return false;
  }
  return first > 0;
}

// The bar count the relaxation proves, when the stock holds every piece.
void proveBounds(const Model& model, const ColumnGeneration::Solution& first, Plan& plan) {
  if (!first.ok || !noSlack(first)) return;
  if (sameWeights(model, model.weight)) {
    double w = 0;
    for (int j = 0; j < model.stocks(); ++j)
      if (model.available[static_cast<size_t>(j)] != 0) w = model.weight[static_cast<size_t>(j)];
    plan.lpBars = first.value / w;
  } else {
    ColumnGeneration bars(model, std::vector<double>(static_cast<size_t>(model.stocks()), 1.0));
    ColumnGeneration::Solution s = bars.solve(model.demand, model.available);
    if (!s.ok || !noSlack(s)) return;
    plan.lpBars = s.value;
  }
  plan.barsLowerBound = static_cast<int>(std::ceil(plan.lpBars - kEps));
}

// The cost the relaxation proves: shop bars cost nothing, bought ones their price.
void proveCostBound(const Problem& problem, const Model& model, Plan& plan) {
  if (plan.barsLowerBound < 0) return;
  std::vector<double> costs(static_cast<size_t>(model.stocks()), 0.0);
  double dearest = 0;
  for (int j = 0; j < model.stocks(); ++j) {
    if (model.available[static_cast<size_t>(j)] == 0) continue;
    double c = problem.stock[static_cast<size_t>(j)].barCost();
    costs[static_cast<size_t>(j)] = c;
    dearest = std::max(dearest, c);
  }
  if (dearest == 0) {
    plan.costLowerBound = 0;
  } else if (sameWeights(model, costs) && sameWeights(model, model.weight)) {
    plan.costLowerBound = plan.lpBars * dearest;
  } else {
    ColumnGeneration cost(model, costs);
    ColumnGeneration::Solution s = cost.solve(model.demand, model.available);
    plan.costLowerBound = s.ok && noSlack(s) ? s.value : -1;
  }
}

double costOf(const Problem& problem, const std::vector<Pattern>& bars) {
  double cost = 0;
  for (const Pattern& b : bars) cost += problem.stock[static_cast<size_t>(b.stock)].barCost();
  return cost;
}

// Pieces left unplaced first, then the objective's weight of the bars.
std::pair<int, double> score(const Model& model, const std::vector<Pattern>& bars,
                             const std::vector<int>& unplaced) {
  double weight = 0;
  for (const Pattern& b : bars) weight += model.weight[static_cast<size_t>(b.stock)];
  return {std::accumulate(unplaced.begin(), unplaced.end(), 0), weight};
}

// Rounding may miss the best mix of stock lengths; an integer program over
// every pattern the relaxation produced often finds it. Kept when better.
void improveByInteger(const Model& model, ColumnGeneration& cg, std::vector<Pattern>& bars,
                      std::vector<int>& unplaced, std::string& note) {
  ColumnGeneration::Solution ip = cg.solveInteger(model.demand, model.available, kIntegerMs);
  if (!ip.ok) return;
  std::vector<int> demand = model.demand, available = model.available;
  std::vector<int> missing(demand.size(), 0);
  std::vector<Pattern> chosen;
  for (size_t i = 0; i < demand.size(); ++i) {
    int n = std::min(static_cast<int>(std::lround(ip.slack[i])), demand[i]);
    missing[i] = n;
    demand[i] -= n;
  }
  for (size_t k = 0; k < ip.patterns.size(); ++k)
    for (long n = std::lround(ip.amounts[k]); n > 0; --n)
      if (!takeBar(ip.patterns[k], demand, available, chosen)) break;
  if (anyLeft(demand)) return;
  auto better = score(model, chosen, missing), now = score(model, bars, unplaced);
  if (better.first > now.first ||
      (better.first == now.first && better.second >= now.second - 1e-9 * std::max(1.0, now.second)))
    return;
  bars = std::move(chosen);
  unplaced = std::move(missing);
  note.clear();
}

Plan fallback(const Problem& problem, const Model& model, std::string note) {
  std::vector<int> available = model.available, unplaced;
  std::vector<Pattern> bars = detail::firstFitDecreasing(model, model.demand, available, unplaced);
  Plan plan = detail::assemblePlan(problem, model, bars, unplaced);
  plan.method = Method::FirstFitDecreasing;
  plan.note = std::move(note);
  return plan;
}
}  // namespace

Plan firstFitDecreasing(const Problem& problem) {
  Model model = detail::buildModel(problem);
  return fallback(problem, model, "");
}

Plan optimise(const Problem& problem) {
  Model model = detail::buildModel(problem);
  std::vector<int> demand = model.demand, available = model.available;
  std::vector<int> unplaced(demand.size(), 0);
  std::vector<Pattern> bars;
  ColumnGeneration cg(model, model.weight);
  ColumnGeneration::Solution first;
  if (anyLeft(demand)) {
    first = cg.solve(demand, available);
    if (!first.ok) return fallback(problem, model, "the LP solver failed; first-fit decreasing");
  }
  for (int round = 0; anyLeft(demand) && round < kMaxRounds; ++round) {
    ColumnGeneration::Solution lp = round == 0 ? first : cg.solve(demand, available);
    if (!lp.ok || !roundOnce(lp, demand, available, bars, unplaced)) break;
  }
  std::string note;
  if (anyLeft(demand)) {
    // Repair of what rounding left: rare, and first-fit on few pieces.
    std::vector<int> rest;
    std::vector<Pattern> more = detail::firstFitDecreasing(model, demand, available, rest);
    bars.insert(bars.end(), more.begin(), more.end());
    for (size_t i = 0; i < rest.size(); ++i) unplaced[i] += rest[i];
    note = "the last pieces were placed first-fit";
  }
  Plan bounds;
  proveBounds(model, first, bounds);
  proveCostBound(problem, model, bounds);
  // Reaching the bar bound is optimal when every bar weighs the same;
  // otherwise the cost must reach its bound too.
  bool optimal =
      bounds.barsLowerBound >= 0 && static_cast<int>(bars.size()) == bounds.barsLowerBound &&
      (sameWeights(model, model.weight) || costOf(problem, bars) <= bounds.costLowerBound + 1e-6);
  if (!optimal && first.ok) improveByInteger(model, cg, bars, unplaced, note);
  Plan plan = detail::assemblePlan(problem, model, bars, unplaced);
  plan.note = note;
  plan.lpBars = bounds.lpBars;
  plan.barsLowerBound = bounds.barsLowerBound;
  plan.costLowerBound = bounds.costLowerBound;
  return plan;
}

const char* methodName(Method method) {
  return method == Method::ColumnGeneration ? "column generation" : "first-fit decreasing";
}

const char* reasonText(Unplaced::Reason reason) {
  switch (reason) {
    case Unplaced::Reason::LongerThanStock:
      return "longer than every stock length";
    case Unplaced::Reason::NoStockLeft:
      return "no stock left";
    case Unplaced::Reason::NoLength:
      break;
  }
  return "no length";
}

}  // namespace csp
