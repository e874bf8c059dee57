#pragma once
#include <string>
#include <vector>

#include "core/cuttingstock/csp_export.h"

// One-dimensional cutting stock: the pieces of one profile cut from bars of
// the shop's stock and from lengths that can be bought. Lengths in mm,
// prices per metre. Every saw cut takes sawCut of the bar, so k pieces fit a
// bar of length L when their lengths plus (k - 1) saw cuts do not exceed L.
namespace csp {

struct Piece {
  double length = 0;
  int count = 0;
  std::string mark;
};

struct Stock {
  enum class Source { Shop, Purchase };
  Source source = Source::Shop;
  double length = 0;
  int count = 0;             // bars in the shop; purchasable lengths are unlimited
  double pricePerMetre = 0;  // purchasable lengths only; shop bars cost nothing more
  bool limited() const { return source == Source::Shop; }
  double barCost() const { return source == Source::Purchase ? pricePerMetre * length / 1000 : 0; }
};

struct Problem {
  std::string name;  // the profile
  double sawCut = 0;
  std::vector<Piece> pieces;
  std::vector<Stock> stock;
};

// Pieces of one kind cut from a bar.
struct Cut {
  int piece = 0;  // index into Problem::pieces
  int count = 0;
};

// Identical bars: the same stock length cut the same way, times times.
struct BarPlan {
  int stock = 0;  // index into Problem::stock
  int times = 0;
  std::vector<Cut> cuts;
  double offcut = 0;  // what is left of one bar after its last saw cut
};

struct Unplaced {
  enum class Reason { LongerThanStock, NoStockLeft, NoLength };
  int piece = 0;
  int count = 0;
  Reason reason = Reason::NoStockLeft;
};

enum class Method { ColumnGeneration, FirstFitDecreasing };

struct Plan {
  Method method = Method::ColumnGeneration;
  std::string note;  // why the solver was not used, when it was not
  std::vector<BarPlan> bars;
  std::vector<Unplaced> unplaced;
  int barsUsed = 0;
  double waste = 0;  // bar length not in pieces: saw cuts and offcuts
  double cost = 0;   // of the bought bars
  // What the linear relaxation proves for the pieces placed: no plan uses
  // fewer bars or costs less. -1 when not known (no solver, stock short).
  int barsLowerBound = -1;
  double costLowerBound = -1;
  double lpBars = -1;  // the relaxation's fractional bar count
};

// Column generation on the linear relaxation with rounding and repair;
// first-fit decreasing when the solver fails.
CSP_API Plan optimise(const Problem& problem);
// First-fit decreasing alone: shop bars first (longest first), then the
// purchasable length that is cheapest per metre.
CSP_API Plan firstFitDecreasing(const Problem& problem);

CSP_API const char* methodName(Method method);
CSP_API const char* reasonText(Unplaced::Reason reason);

}  // namespace csp
