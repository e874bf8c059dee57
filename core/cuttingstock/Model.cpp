#include "core/cuttingstock/Model.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace csp::detail {

Model buildModel(const Problem& problem) {
  Model m;
  m.sawCut = problem.sawCut > 0 && std::isfinite(problem.sawCut) ? problem.sawCut : 0.0;
  const double sawCut = m.sawCut;
  double longest = 0;
  for (const Stock& s : problem.stock)
    if (s.length > 0 && std::isfinite(s.length) && std::isfinite(s.barCost()) &&
        (!s.limited() || s.count > 0))
      longest = std::max(longest, s.length);

  std::map<double, int> itemOfLength;
  double totalLength = 0;
  for (int p = 0; p < static_cast<int>(problem.pieces.size()); ++p) {
    const Piece& piece = problem.pieces[static_cast<size_t>(p)];
    if (piece.count <= 0) continue;
    if (!(piece.length > 0) || !std::isfinite(piece.length)) {
      m.unfit.push_back({p, piece.count, Unplaced::Reason::NoLength});
      continue;
    }
    if (piece.length > longest) {
      m.unfit.push_back({p, piece.count, Unplaced::Reason::LongerThanStock});
      continue;
    }
    auto [at, added] = itemOfLength.emplace(piece.length, m.items());
    if (added) {
      m.size.push_back(piece.length + sawCut);
      m.demand.push_back(0);
      m.pieces.emplace_back();
    }
    m.demand[static_cast<size_t>(at->second)] += piece.count;
    m.pieces[static_cast<size_t>(at->second)].push_back(p);
    totalLength += piece.count * (piece.length + sawCut);
  }

  double cheapestBar = 0;
  for (const Stock& s : problem.stock)
    if (s.barCost() > 0 && (cheapestBar == 0 || s.barCost() < cheapestBar))
      cheapestBar = s.barCost();
  // Twice the pieces' length bounds the stock any sensible plan uses.
  double usedBound = 2 * totalLength + longest + 1;
  double perMm = cheapestBar > 0 ? 0.1 * cheapestBar / usedBound : 1.0 / 1000;
  for (const Stock& s : problem.stock) {
    // A length or price that is no finite number makes the bar unusable.
    bool usable = s.length > 0 && std::isfinite(s.length) && std::isfinite(s.barCost());
    m.capacity.push_back(usable ? s.length + sawCut : 0);
    m.weight.push_back(usable ? s.barCost() + perMm * s.length : 0);
    m.available.push_back(!usable ? 0 : s.limited() ? std::max(s.count, 0) : -1);
  }
  return m;
}

namespace {
double offcutOf(const Problem& problem, const Model& model, const BarPlan& bar) {
  double used = 0;
  int pieces = 0;
  for (const Cut& c : bar.cuts) {
    used += c.count * problem.pieces[static_cast<size_t>(c.piece)].length;
    pieces += c.count;
  }
  double left = problem.stock[static_cast<size_t>(bar.stock)].length - used - pieces * model.sawCut;
  return std::max(left, 0.0);
}
}  // namespace

Plan assemblePlan(const Problem& problem, const Model& model, const std::vector<Pattern>& bars,
                  const std::vector<int>& unplacedPerItem) {
  Plan plan;
  // Pieces still to hand out, per piece, walked in list order per item.
  std::vector<int> left(problem.pieces.size());
  for (size_t p = 0; p < left.size(); ++p) left[p] = std::max(problem.pieces[p].count, 0);
  std::vector<size_t> cursor(static_cast<size_t>(model.items()), 0);
  auto take = [&](int item, int count, std::vector<Cut>& cuts) {
    const std::vector<int>& list = model.pieces[static_cast<size_t>(item)];
    size_t& at = cursor[static_cast<size_t>(item)];
    while (count > 0 && at < list.size()) {
      int piece = list[at];
      int n = std::min(count, left[static_cast<size_t>(piece)]);
      if (n > 0) {
        auto same = std::find_if(cuts.begin(), cuts.end(),
                                 [piece](const Cut& c) { return c.piece == piece; });
        if (same != cuts.end())
          same->count += n;
        else
          cuts.push_back({piece, n});
        left[static_cast<size_t>(piece)] -= n;
        count -= n;
      }
      if (left[static_cast<size_t>(piece)] == 0) ++at;
    }
  };

  std::map<std::pair<int, std::vector<std::pair<int, int>>>, size_t> same;
  for (const Pattern& bar : bars) {
    BarPlan b;
    b.stock = bar.stock;
    b.times = 1;
    for (int i = 0; i < model.items(); ++i)
      if (bar.counts[static_cast<size_t>(i)] > 0)
        take(i, bar.counts[static_cast<size_t>(i)], b.cuts);
    if (b.cuts.empty()) continue;
    std::sort(b.cuts.begin(), b.cuts.end(), [&](const Cut& x, const Cut& y) {
      double lx = problem.pieces[static_cast<size_t>(x.piece)].length;
      double ly = problem.pieces[static_cast<size_t>(y.piece)].length;
      return lx != ly ? lx > ly : x.piece < y.piece;
    });
    std::vector<std::pair<int, int>> key;
    for (const Cut& c : b.cuts) key.emplace_back(c.piece, c.count);
    auto [at, added] = same.emplace(std::pair{b.stock, key}, plan.bars.size());
    if (!added) {
      ++plan.bars[at->second].times;
      continue;
    }
    b.offcut = offcutOf(problem, model, b);
    plan.bars.push_back(std::move(b));
  }

  for (const Unplaced& u : model.unfit) plan.unplaced.push_back(u);
  for (int i = 0; i < model.items(); ++i) {
    std::vector<Cut> cuts;
    take(i, unplacedPerItem.empty() ? 0 : unplacedPerItem[static_cast<size_t>(i)], cuts);
    for (const Cut& c : cuts)
      plan.unplaced.push_back({c.piece, c.count, Unplaced::Reason::NoStockLeft});
  }

  for (const BarPlan& b : plan.bars) {
    const Stock& s = problem.stock[static_cast<size_t>(b.stock)];
    double pieces = 0;
    for (const Cut& c : b.cuts)
      pieces += c.count * problem.pieces[static_cast<size_t>(c.piece)].length;
    plan.barsUsed += b.times;
    plan.waste += b.times * (s.length - pieces);
    plan.cost += b.times * s.barCost();
  }
  return plan;
}

}  // namespace csp::detail
