#include "tests/optimizer/PlanChecker.h"

#include <cmath>
#include <sstream>

namespace {
constexpr double kTol = 1e-6;

bool near(double a, double b) {
  return std::fabs(a - b) <= kTol * std::max(1.0, std::fabs(b));
}
}  // namespace

std::vector<std::string> planFaults(const csp::Problem& problem, const csp::Plan& plan) {
  std::vector<std::string> faults;
  auto fault = [&faults](const std::string& text) { faults.push_back(text); };
  const int pieces = static_cast<int>(problem.pieces.size());
  const int stocks = static_cast<int>(problem.stock.size());
  std::vector<long> placed(static_cast<size_t>(pieces), 0), reported(placed);
  std::vector<long> barsOf(static_cast<size_t>(stocks), 0);
  long bars = 0;
  double waste = 0, cost = 0;
  for (size_t b = 0; b < plan.bars.size(); ++b) {
    const csp::BarPlan& bar = plan.bars[b];
    std::string name = "bar group " + std::to_string(b);
    if (bar.stock < 0 || bar.stock >= stocks || bar.times < 1) {
      fault(name + ": bad stock index or count");
      continue;
    }
    const csp::Stock& stock = problem.stock[static_cast<size_t>(bar.stock)];
    double length = 0;
    long count = 0;
    for (const csp::Cut& c : bar.cuts) {
      if (c.piece < 0 || c.piece >= pieces || c.count < 1) {
        fault(name + ": bad cut");
        continue;
      }
      length += c.count * problem.pieces[static_cast<size_t>(c.piece)].length;
      count += c.count;
      placed[static_cast<size_t>(c.piece)] += static_cast<long>(c.count) * bar.times;
    }
    if (count == 0) fault(name + ": no pieces");
    double needed = length + (count - 1) * problem.sawCut;
    if (needed > stock.length + kTol) {
      std::ostringstream s;
      s << name << ": " << needed << " mm with saw cuts on a bar of " << stock.length;
      fault(s.str());
    }
    double offcut = std::max(0.0, stock.length - length - count * problem.sawCut);
    if (!near(bar.offcut, offcut)) fault(name + ": offcut " + std::to_string(bar.offcut));
    barsOf[static_cast<size_t>(bar.stock)] += bar.times;
    bars += bar.times;
    waste += bar.times * (stock.length - length);
    if (stock.source == csp::Stock::Source::Purchase)
      cost += bar.times * stock.pricePerMetre * stock.length / 1000;
  }
  for (int j = 0; j < stocks; ++j) {
    const csp::Stock& s = problem.stock[static_cast<size_t>(j)];
    if (s.source == csp::Stock::Source::Shop && barsOf[static_cast<size_t>(j)] > s.count)
      fault("stock " + std::to_string(j) + ": more bars cut than the shop has");
  }
  double longest = 0;
  for (const csp::Stock& s : problem.stock)
    if (s.source == csp::Stock::Source::Purchase || s.count > 0)
      longest = std::max(longest, s.length);
  for (const csp::Unplaced& u : plan.unplaced) {
    if (u.piece < 0 || u.piece >= pieces || u.count < 1) {
      fault("bad unplaced entry");
      continue;
    }
    reported[static_cast<size_t>(u.piece)] += u.count;
    double length = problem.pieces[static_cast<size_t>(u.piece)].length;
    auto reason = !(length > 0) || !std::isfinite(length) ? csp::Unplaced::Reason::NoLength
                  : length > longest                      ? csp::Unplaced::Reason::LongerThanStock
                                                          : csp::Unplaced::Reason::NoStockLeft;
    if (u.reason != reason)
      fault("piece " + std::to_string(u.piece) + ": wrong reason for not placing it");
  }
  for (int p = 0; p < pieces; ++p) {
    long wanted = std::max(problem.pieces[static_cast<size_t>(p)].count, 0);
    long got = placed[static_cast<size_t>(p)] + reported[static_cast<size_t>(p)];
    if (got != wanted)
      fault("piece " + std::to_string(p) + ": " + std::to_string(got) + " of " +
            std::to_string(wanted) + " placed or reported");
  }
  if (plan.barsUsed != bars) fault("bars used " + std::to_string(plan.barsUsed));
  if (!near(plan.waste, waste)) fault("waste " + std::to_string(plan.waste));
  if (!near(plan.cost, cost)) fault("cost " + std::to_string(plan.cost));
  if (plan.barsLowerBound > bars) fault("the lower bound exceeds the bars used");
  if (plan.costLowerBound > cost + kTol * std::max(1.0, cost))
    fault("the cost bound exceeds the cost");
  return faults;
}
