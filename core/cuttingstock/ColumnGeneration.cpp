#include "core/cuttingstock/ColumnGeneration.h"

#include <glpk.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace csp::detail {

namespace {
constexpr int kMaxRounds = 2000;

struct LpDeleter {
  void operator()(glp_prob* lp) const { glp_delete_prob(lp); }
};
using Lp = std::unique_ptr<glp_prob, LpDeleter>;

// The pattern cut down to what is still wanted.
Pattern capped(const Pattern& p, const std::vector<int>& demand) {
  Pattern c = p;
  for (size_t i = 0; i < c.counts.size(); ++i) c.counts[i] = std::min(c.counts[i], demand[i]);
  return c;
}

bool empty(const Pattern& p) {
  return std::all_of(p.counts.begin(), p.counts.end(), [](int n) { return n == 0; });
}
}  // namespace

ColumnGeneration::ColumnGeneration(const Model& model, std::vector<double> weights)
    : model_(model), weight_(std::move(weights)), knapsack_(model.size, model.capacity) {
  double heaviest = 0;
  for (double w : weight_) heaviest = std::max(heaviest, w);
  slackPrice_ = 2 * heaviest + 1;
}

bool ColumnGeneration::addPattern(Pattern pattern) {
  if (empty(pattern) || std::find(pool_.begin(), pool_.end(), pattern) != pool_.end()) return false;
  pool_.push_back(std::move(pattern));
  return true;
}

// One bar of a single item per stock length, as many as fit: the master
// starts from a feasible basis of plain patterns.
void ColumnGeneration::seed(const std::vector<int>& demand, const std::vector<int>& available) {
  for (int j = 0; j < model_.stocks(); ++j) {
    if (available[static_cast<size_t>(j)] == 0) continue;
    for (int i = 0; i < model_.items(); ++i) {
      int fit = static_cast<int>(std::floor(
          model_.capacity[static_cast<size_t>(j)] / model_.size[static_cast<size_t>(i)] + 1e-9));
      int n = std::min(fit, demand[static_cast<size_t>(i)]);
      if (n <= 0) continue;
      Pattern p{j, std::vector<int>(static_cast<size_t>(model_.items()), 0)};
      p.counts[static_cast<size_t>(i)] = n;
      addPattern(std::move(p));
    }
  }
}

ColumnGeneration::Solution ColumnGeneration::solve(const std::vector<int>& demand,
                                                   const std::vector<int>& available) {
  Solution out;
  const int m = model_.items();
  seed(demand, available);

  Lp lp(glp_create_prob());
  glp_set_obj_dir(lp.get(), GLP_MIN);
  glp_add_rows(lp.get(), m);
  for (int i = 0; i < m; ++i)
    glp_set_row_bnds(lp.get(), i + 1, GLP_LO, demand[static_cast<size_t>(i)], 0);
  // A row per stock length in short supply.
  std::vector<int> stockRow(static_cast<size_t>(model_.stocks()), 0);
  for (int j = 0; j < model_.stocks(); ++j) {
    if (available[static_cast<size_t>(j)] < 0) continue;
    stockRow[static_cast<size_t>(j)] = glp_add_rows(lp.get(), 1);
    glp_set_row_bnds(lp.get(), stockRow[static_cast<size_t>(j)], GLP_UP, 0,
                     available[static_cast<size_t>(j)]);
  }
  for (int i = 0; i < m; ++i) {
    int col = glp_add_cols(lp.get(), 1);
    glp_set_col_bnds(lp.get(), col, GLP_LO, 0, 0);
    glp_set_obj_coef(lp.get(), col, slackPrice_);
    int row[2] = {0, i + 1};
    double one[2] = {0, 1};
    glp_set_mat_col(lp.get(), col, 1, row, one);
  }
  std::vector<Pattern> columns;
  auto addColumn = [&](const Pattern& p) {
    if (available[static_cast<size_t>(p.stock)] == 0) return;
    Pattern c = capped(p, demand);
    if (empty(c) || std::find(columns.begin(), columns.end(), c) != columns.end()) return;
    std::vector<int> rows{0};
    std::vector<double> values{0};
    for (int i = 0; i < m; ++i)
      if (c.counts[static_cast<size_t>(i)] > 0) {
        rows.push_back(i + 1);
        values.push_back(c.counts[static_cast<size_t>(i)]);
      }
    if (int r = stockRow[static_cast<size_t>(c.stock)]) {
      rows.push_back(r);
      values.push_back(1);
    }
    int col = glp_add_cols(lp.get(), 1);
    glp_set_col_bnds(lp.get(), col, GLP_LO, 0, 0);
    glp_set_obj_coef(lp.get(), col, weight_[static_cast<size_t>(c.stock)]);
    glp_set_mat_col(lp.get(), col, static_cast<int>(rows.size()) - 1, rows.data(), values.data());
    columns.push_back(std::move(c));
  };
  for (const Pattern& p : pool_) addColumn(p);

  glp_smcp parm;
  glp_init_smcp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  std::vector<double> dual(static_cast<size_t>(m));
  double heaviest = *std::max_element(weight_.begin(), weight_.end());
  double tolerance = 1e-9 * std::max(1.0, heaviest);
  for (int round = 0;; ++round) {
    if (glp_simplex(lp.get(), &parm) != 0 || glp_get_status(lp.get()) != GLP_OPT) return out;
    if (round == kMaxRounds) break;
    for (int i = 0; i < m; ++i) dual[static_cast<size_t>(i)] = glp_get_row_dual(lp.get(), i + 1);
    std::vector<std::vector<int>> best = knapsack_.solve(dual, demand);
    bool added = false;
    for (int j = 0; j < model_.stocks(); ++j) {
      if (available[static_cast<size_t>(j)] == 0) continue;
      const std::vector<int>& counts = best[static_cast<size_t>(j)];
      double value = 0;
      for (int i = 0; i < m; ++i)
        value += counts[static_cast<size_t>(i)] * dual[static_cast<size_t>(i)];
      double stockDual = stockRow[static_cast<size_t>(j)]
                             ? glp_get_row_dual(lp.get(), stockRow[static_cast<size_t>(j)])
                             : 0;
      if (weight_[static_cast<size_t>(j)] - value - stockDual >= -tolerance) continue;
      Pattern p{j, counts};
      size_t before = columns.size();
      addColumn(p);
      if (columns.size() > before) {
        addPattern(p);
        added = true;
      }
    }
    if (!added) break;
  }

  out.ok = true;
  out.value = glp_get_obj_val(lp.get());
  out.slack.resize(static_cast<size_t>(m));
  for (int i = 0; i < m; ++i) out.slack[static_cast<size_t>(i)] = glp_get_col_prim(lp.get(), i + 1);
  for (size_t k = 0; k < columns.size(); ++k) {
    double x = glp_get_col_prim(lp.get(), m + 1 + static_cast<int>(k));
    if (x <= 1e-9) continue;
    out.patterns.push_back(columns[k]);
    out.amounts.push_back(x);
  }
  return out;
}

}  // namespace csp::detail
