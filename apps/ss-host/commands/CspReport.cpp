#include "apps/ss-host/commands/CspReport.h"

#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "core/Nx_String.h"

namespace cspreport {

namespace {
const char* kListNames[3] = {"parts", "shop stock", "purchase"};

std::string mm(double v) {
  return Nx_String(v, 1, false).str();
}
std::string money(double v) {
  return Nx_String(v, 2, true).str();
}

struct Totals {
  int bars = 0, lowerBound = 0;
  bool bounded = true;
  double waste = 0, cost = 0;
  int unplaced = 0;
  void add(const csp::Plan& p) {
    bars += p.barsUsed;
    waste += p.waste;
    cost += p.cost;
    bounded = bounded && p.barsLowerBound >= 0;
    lowerBound += p.barsLowerBound;
    for (const csp::Unplaced& u : p.unplaced) unplaced += u.count;
  }
};

std::string piecesText(const csp::Problem& problem, const csp::BarPlan& bar) {
  std::string text;
  for (const csp::Cut& c : bar.cuts) {
    const csp::Piece& piece = problem.pieces[static_cast<size_t>(c.piece)];
    if (!text.empty()) text += ", ";
    text += std::to_string(c.count) + " x " + mm(piece.length) + " " + piece.mark;
  }
  return text;
}

void printPlan(const ProfilePlan& pp) {
  const csp::Problem& problem = pp.problem;
  const csp::Plan& plan = pp.plan;
  std::printf("  %s (saw cut %s mm, %s)\n", problem.name.c_str(), mm(problem.sawCut).c_str(),
              csp::methodName(plan.method));
  if (!plan.note.empty()) std::printf("    note: %s\n", plan.note.c_str());
  for (const csp::BarPlan& bar : plan.bars) {
    const csp::Stock& s = problem.stock[static_cast<size_t>(bar.stock)];
    std::string kind = s.limited() ? "shop bar" : "bought bar at " + money(s.barCost());
    std::printf("    %d x %s mm %s: %s | offcut %s\n", bar.times, mm(s.length).c_str(),
                kind.c_str(), piecesText(problem, bar).c_str(), mm(bar.offcut).c_str());
  }
  for (const csp::Unplaced& u : plan.unplaced) {
    const csp::Piece& piece = problem.pieces[static_cast<size_t>(u.piece)];
    std::printf("    not placed: %d x %s %s: %s\n", u.count, mm(piece.length).c_str(),
                piece.mark.c_str(), csp::reasonText(u.reason));
  }
  std::printf("    bars %d, waste %s mm, cost %s", plan.barsUsed, mm(plan.waste).c_str(),
              money(plan.cost).c_str());
  if (plan.barsLowerBound >= 0)
    std::printf("; LP bound %.3f bars: at least %d, cost at least %s\n", plan.lpBars,
                plan.barsLowerBound, money(plan.costLowerBound).c_str());
  else
    std::printf("; no bound (the stock does not hold every piece)\n");
}

nlohmann::json planJson(const ProfilePlan& pp) {
  const csp::Problem& problem = pp.problem;
  const csp::Plan& plan = pp.plan;
  nlohmann::json bars = nlohmann::json::array(), unplaced = nlohmann::json::array();
  for (const csp::BarPlan& bar : plan.bars) {
    const csp::Stock& s = problem.stock[static_cast<size_t>(bar.stock)];
    nlohmann::json pieces = nlohmann::json::array();
    for (const csp::Cut& c : bar.cuts) {
      const csp::Piece& piece = problem.pieces[static_cast<size_t>(c.piece)];
      pieces.push_back({{"length", piece.length}, {"count", c.count}, {"mark", piece.mark}});
    }
    bars.push_back({{"stockLength", s.length},
                    {"source", s.limited() ? "shop" : "purchase"},
                    {"times", bar.times},
                    {"pieces", pieces},
                    {"offcut", bar.offcut}});
  }
  for (const csp::Unplaced& u : plan.unplaced) {
    const csp::Piece& piece = problem.pieces[static_cast<size_t>(u.piece)];
    unplaced.push_back({{"length", piece.length},
                        {"count", u.count},
                        {"mark", piece.mark},
                        {"reason", csp::reasonText(u.reason)}});
  }
  nlohmann::json bound = nullptr;
  if (plan.barsLowerBound >= 0)
    bound = {{"lpBars", plan.lpBars}, {"bars", plan.barsLowerBound}, {"cost", plan.costLowerBound}};
  return {{"profile", problem.name},
          {"sawCut", problem.sawCut},
          {"method", csp::methodName(plan.method)},
          {"note", plan.note},
          {"bars", bars},
          {"unplaced", unplaced},
          {"barsUsed", plan.barsUsed},
          {"waste", plan.waste},
          {"cost", plan.cost},
          {"lowerBound", bound}};
}
}  // namespace

void printText(const Report& report) {
  Totals all;
  for (const Group& g : report.groups) {
    std::printf("Group \"%s\"\n", g.name.c_str());
    for (int l = 0; l < 3; ++l)
      std::printf("  %s: %s\n", kListNames[l], g.files[l].empty() ? "(none)" : g.files[l].c_str());
    if (g.profiles.empty()) std::printf("  nothing to cut\n");
    for (const ProfilePlan& pp : g.profiles) {
      printPlan(pp);
      all.add(pp.plan);
    }
  }
  std::printf("Totals: bars %d, waste %s mm, cost %s", all.bars, mm(all.waste).c_str(),
              money(all.cost).c_str());
  if (all.bounded) std::printf("; at least %d bars by the LP bound", all.lowerBound);
  if (all.unplaced) std::printf("; %d pieces not placed", all.unplaced);
  std::printf("\n");
}

void printJson(const Report& report) {
  Totals all;
  nlohmann::json groups = nlohmann::json::array();
  for (const Group& g : report.groups) {
    nlohmann::json profiles = nlohmann::json::array();
    for (const ProfilePlan& pp : g.profiles) {
      profiles.push_back(planJson(pp));
      all.add(pp.plan);
    }
    groups.push_back(
        {{"name", g.name},
         {"files", {{"parts", g.files[0]}, {"shop", g.files[1]}, {"purchase", g.files[2]}}},
         {"profiles", profiles}});
  }
  nlohmann::json totals = {{"bars", all.bars},
                           {"waste", all.waste},
                           {"cost", all.cost},
                           {"unplaced", all.unplaced},
                           {"lowerBound", all.bounded ? nlohmann::json(all.lowerBound) : nullptr}};
  std::cout
      << nlohmann::json{{"groups", groups}, {"totals", totals}, {"faults", report.faults}}.dump(2)
      << "\n";
}

}  // namespace cspreport
