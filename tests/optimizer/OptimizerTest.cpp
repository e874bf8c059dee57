#include <gtest/gtest.h>

#include <limits>

#include "core/cuttingstock/CuttingStock.h"
#include "core/cuttingstock/Instances.h"
#include "tests/optimizer/PlanChecker.h"

using namespace csp;

namespace {
Stock shop(double length, int count) {
  return {Stock::Source::Shop, length, count, 0};
}
Stock buy(double length, double price) {
  return {Stock::Source::Purchase, length, 0, price};
}
int placedCount(const Plan& plan, int piece) {
  int n = 0;
  for (const BarPlan& b : plan.bars)
    for (const Cut& c : b.cuts)
      if (c.piece == piece) n += c.count * b.times;
  return n;
}
#define EXPECT_SOUND(problem, plan) \
  for (const std::string& fault : planFaults(problem, plan)) ADD_FAILURE() << fault
}  // namespace

TEST(Optimizer, StandardInstancesAreSoundAndCloseToTheBound) {
  for (int k = 0; k < 3; ++k) {
    for (const Problem& p : {uniformBinPacking120(k), randomCuttingStock50(k)}) {
      Plan plan = optimise(p);
      EXPECT_SOUND(p, plan);
      EXPECT_EQ(plan.method, Method::ColumnGeneration) << p.name;
      ASSERT_GE(plan.barsLowerBound, 1) << p.name;
      EXPECT_LE(plan.barsUsed, plan.barsLowerBound + 1) << p.name;
      EXPECT_TRUE(plan.unplaced.empty()) << p.name;
    }
  }
}

TEST(Optimizer, FirstFitDecreasingIsSoundOnTheSameInstances) {
  for (int k = 0; k < 3; ++k)
    for (const Problem& p : {uniformBinPacking120(k), randomCuttingStock50(k)}) {
      Plan plan = firstFitDecreasing(p);
      EXPECT_SOUND(p, plan);
      EXPECT_EQ(plan.method, Method::FirstFitDecreasing);
    }
}

TEST(Optimizer, EverySawCutTakesItsWidth) {
  Problem p;
  p.sawCut = 3;
  p.stock = {buy(1000, 10)};
  p.pieces = {{500, 2, "A"}};
  Plan plan = optimise(p);
  EXPECT_SOUND(p, plan);
  EXPECT_EQ(plan.barsUsed, 2);  // 500 + 3 + 500 does not fit 1000

  p.pieces = {{498.5, 2, "A"}};  // 498.5 + 3 + 498.5 fills the bar exactly
  plan = optimise(p);
  EXPECT_SOUND(p, plan);
  ASSERT_EQ(plan.barsUsed, 1);
  EXPECT_DOUBLE_EQ(plan.bars[0].offcut, 0);
  EXPECT_DOUBLE_EQ(plan.waste, 3);
}

TEST(Optimizer, ShopStockGoesBeforeBoughtLengths) {
  Problem p;
  p.stock = {buy(6000, 10), shop(6000, 2)};
  p.pieces = {{2900, 6, "B1"}};
  Plan plan = optimise(p);
  EXPECT_SOUND(p, plan);
  EXPECT_EQ(plan.barsUsed, 3);
  int fromShop = 0;
  for (const BarPlan& b : plan.bars)
    if (b.stock == 1) fromShop += b.times;
  EXPECT_EQ(fromShop, 2);
  EXPECT_DOUBLE_EQ(plan.cost, 60);
  EXPECT_DOUBLE_EQ(plan.costLowerBound, 60);
}

TEST(Optimizer, BoughtLengthsMinimiseCostThenWaste) {
  Problem p;
  // The 6 m bar is dearer per metre but the cheaper bar for one 5 m piece.
  p.stock = {buy(12000, 10), buy(6000, 12)};
  p.pieces = {{5000, 1, "C"}};
  Plan plan = optimise(p);
  EXPECT_SOUND(p, plan);
  ASSERT_EQ(plan.bars.size(), 1u);
  EXPECT_EQ(plan.bars[0].stock, 1);
  EXPECT_DOUBLE_EQ(plan.cost, 72);

  // Free shop bars: the shorter one wastes less.
  p.stock = {shop(12000, 5), shop(6000, 5)};
  plan = optimise(p);
  EXPECT_SOUND(p, plan);
  ASSERT_EQ(plan.bars.size(), 1u);
  EXPECT_EQ(plan.bars[0].stock, 1);
  EXPECT_DOUBLE_EQ(plan.waste, 1000);
}

TEST(Optimizer, PiecesThatCannotBePlacedAreReported) {
  Problem p;
  p.stock = {shop(6000, 1)};
  p.pieces = {{7000, 2, "TOO LONG"}, {2500, 3, "D"}};
  Plan plan = optimise(p);
  EXPECT_SOUND(p, plan);
  EXPECT_EQ(placedCount(plan, 1), 2);  // one shop bar holds two
  int tooLong = 0, noStock = 0;
  for (const Unplaced& u : plan.unplaced)
    (u.reason == Unplaced::Reason::LongerThanStock ? tooLong : noStock) += u.count;
  EXPECT_EQ(tooLong, 2);
  EXPECT_EQ(noStock, 1);
  EXPECT_EQ(plan.barsLowerBound, -1);  // the stock is short: nothing is proved
}

TEST(Optimizer, MarksOfEqualLengthsAreKeptApart) {
  Problem p;
  p.stock = {buy(6000, 1)};
  p.pieces = {{1500, 3, "E1"}, {1500, 2, "E2"}, {0, 4, "empty"}, {1000, 0, "none"}};
  Plan plan = optimise(p);
  EXPECT_SOUND(p, plan);
  EXPECT_EQ(placedCount(plan, 0), 3);
  EXPECT_EQ(placedCount(plan, 1), 2);
  EXPECT_EQ(plan.barsUsed, 2);
}

TEST(Optimizer, NothingToCutUsesNoBars) {
  Problem p;
  p.stock = {buy(6000, 1)};
  Plan plan = optimise(p);
  EXPECT_SOUND(p, plan);
  EXPECT_EQ(plan.barsUsed, 0);
}

TEST(Optimizer, FindsTheCheapestMixOfBoughtLengths) {
  // Rounding the relaxation buys 12 m + 6 m + 6 m here; two 12 m bars cost less.
  Problem p;
  p.sawCut = 3;
  p.stock = {shop(12000, 1), buy(12000, 98), buy(8000, 101.5), buy(6000, 103)};
  p.pieces = {{3600, 6, "C1"}, {4200, 2, "C2"}, {850, 4, "CB"}};
  Plan plan = optimise(p);
  EXPECT_SOUND(p, plan);
  EXPECT_DOUBLE_EQ(plan.cost, 2352);
  EXPECT_EQ(plan.barsUsed, 3);
}

TEST(Optimizer, NumbersThatAreNoLengthsNeverReachTheSolver) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Problem p;
  p.sawCut = nan;
  p.stock = {shop(nan, 3), buy(inf, 1), buy(6000, inf), buy(6000, 10)};
  p.pieces = {{nan, 2, "N"}, {-100, 1, "NEG"}, {inf, 1, "INF"}, {2000, 3, "OK"}};
  Plan plan = optimise(p);
  p.sawCut = 0;  // as the optimiser took it
  EXPECT_SOUND(p, plan);
  EXPECT_EQ(placedCount(plan, 3), 3);
  for (const BarPlan& b : plan.bars) EXPECT_EQ(b.stock, 3);
}
