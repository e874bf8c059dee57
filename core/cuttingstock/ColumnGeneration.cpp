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

// The master problem over a set of patterns: a demand row per item, a row
// per stock length in short supply, a slack column per item, then one
// column per pattern (cut down to the demand).
class ColumnGeneration::Master {
 public:
  Master(const ColumnGeneration& cg, const std::vector<int>& demand,
         const std::vector<int>& available, bool integer)
      : cg_(cg), demand_(demand), available_(available), integer_(integer), lp_(glp_create_prob()) {
    const int m = items();
    glp_set_obj_dir(lp(), GLP_MIN);
    glp_add_rows(lp(), m);
    for (int i = 0; i < m; ++i)
      glp_set_row_bnds(lp(), i + 1, GLP_LO, demand[static_cast<size_t>(i)], 0);
    stockRow_.assign(available.size(), 0);
    for (size_t j = 0; j < available.size(); ++j) {
      if (available[j] < 0) continue;
      stockRow_[j] = glp_add_rows(lp(), 1);
      glp_set_row_bnds(lp(), stockRow_[j], GLP_UP, 0, available[j]);
    }
    for (int i = 0; i < m; ++i) {
      int row[2] = {0, i + 1};
      double one[2] = {0, 1};
      newColumn(cg.slackPrice_, 1, row, one);
    }
  }

  glp_prob* lp() { return lp_.get(); }
  int items() const { return static_cast<int>(demand_.size()); }
  int stockRow(int stock) const { return stockRow_[static_cast<size_t>(stock)]; }
  const std::vector<Pattern>& columns() const { return columns_; }

  // False when the pattern is of no use here or already a column.
  bool add(const Pattern& p) {
    if (available_[static_cast<size_t>(p.stock)] == 0) return false;
    Pattern c = capped(p, demand_);
    if (empty(c) || std::find(columns_.begin(), columns_.end(), c) != columns_.end()) return false;
    std::vector<int> rows{0};
    std::vector<double> values{0};
    for (int i = 0; i < items(); ++i)
      if (c.counts[static_cast<size_t>(i)] > 0) {
        rows.push_back(i + 1);
        values.push_back(c.counts[static_cast<size_t>(i)]);
      }
    if (int r = stockRow(c.stock)) {
      rows.push_back(r);
      values.push_back(1);
    }
    newColumn(cg_.weight_[static_cast<size_t>(c.stock)], static_cast<int>(rows.size()) - 1,
              rows.data(), values.data());
    columns_.push_back(std::move(c));
    return true;
  }

  // The solution found, read as LP or as integer solution.
  Solution read() {
    Solution out;
    auto value = [this](int col) {
      return integer_ ? glp_mip_col_val(lp(), col) : glp_get_col_prim(lp(), col);
    };
    out.ok = true;
    out.value = integer_ ? glp_mip_obj_val(lp()) : glp_get_obj_val(lp());
    for (int i = 0; i < items(); ++i) out.slack.push_back(value(i + 1));
    for (size_t k = 0; k < columns_.size(); ++k) {
      double x = value(items() + 1 + static_cast<int>(k));
      if (x <= 1e-9) continue;
      out.patterns.push_back(columns_[k]);
      out.amounts.push_back(x);
    }
    return out;
  }

 private:
  void newColumn(double cost, int length, const int* rows, const double* values) {
    int col = glp_add_cols(lp(), 1);
    glp_set_col_kind(lp(), col, integer_ ? GLP_IV : GLP_CV);
    glp_set_col_bnds(lp(), col, GLP_LO, 0, 0);
    glp_set_obj_coef(lp(), col, cost);
    glp_set_mat_col(lp(), col, length, rows, values);
  }

  const ColumnGeneration& cg_;
  const std::vector<int>& demand_;
  const std::vector<int>& available_;
  bool integer_;
  Lp lp_;
  std::vector<int> stockRow_;
  std::vector<Pattern> columns_;
};

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
  const int m = model_.items();
  seed(demand, available);
  Master master(*this, demand, available, false);
  for (const Pattern& p : pool_) master.add(p);

  glp_smcp parm;
  glp_init_smcp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  std::vector<double> dual(static_cast<size_t>(m));
  double heaviest = *std::max_element(weight_.begin(), weight_.end());
  double tolerance = 1e-9 * std::max(1.0, heaviest);
  for (int round = 0;; ++round) {
    if (glp_simplex(master.lp(), &parm) != 0 || glp_get_status(master.lp()) != GLP_OPT) return {};
    if (round == kMaxRounds) break;
    for (int i = 0; i < m; ++i) dual[static_cast<size_t>(i)] = glp_get_row_dual(master.lp(), i + 1);
    std::vector<std::vector<int>> best = knapsack_.solve(dual, demand);
    bool added = false;
    for (int j = 0; j < model_.stocks(); ++j) {
      if (available[static_cast<size_t>(j)] == 0) continue;
      const std::vector<int>& counts = best[static_cast<size_t>(j)];
      double value = 0;
      for (int i = 0; i < m; ++i)
        value += counts[static_cast<size_t>(i)] * dual[static_cast<size_t>(i)];
      double stockDual = master.stockRow(j) ? glp_get_row_dual(master.lp(), master.stockRow(j)) : 0;
      if (weight_[static_cast<size_t>(j)] - value - stockDual >= -tolerance) continue;
      Pattern p{j, counts};
      if (master.add(p)) {
        addPattern(p);
        added = true;
      }
    }
    if (!added) break;
  }
  return master.read();
}

ColumnGeneration::Solution ColumnGeneration::solveInteger(const std::vector<int>& demand,
                                                          const std::vector<int>& available,
                                                          int milliseconds) {
  Master master(*this, demand, available, true);
  for (const Pattern& p : pool_) master.add(p);
  glp_iocp parm;
  glp_init_iocp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  parm.presolve = GLP_ON;
  parm.tm_lim = milliseconds;
  int status = glp_intopt(master.lp(), &parm);
  int found = glp_mip_status(master.lp());
  if ((status != 0 && status != GLP_ETMLIM) || (found != GLP_OPT && found != GLP_FEAS)) return {};
  return master.read();
}

}  // namespace csp::detail
