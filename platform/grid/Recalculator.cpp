#include "platform/grid/Recalculator.h"

#include <exception>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace grid {

void Recalculator::evaluate(int col, int row, bool circular) {
  Cell* c = content_.cells.find(col, row);
  if (!c || !c->hasFormula()) return;
  if (circular) {
    c->value = Value::makeError(ErrorCode::Ref);
    return;
  }
  EvalContext context{content_.cells, {col, row}, content_.maxCols, content_.maxRows, &custom_};
  ++running_;
  runningCell_ = {col, row};
  Value v = evaluator_.run(c->formula, context);
  --running_;
  // A custom function may have written cells meanwhile; find the cell anew.
  c = content_.cells.find(col, row);
  if (c && c->hasFormula()) c->value = std::move(v);
}

void Recalculator::all() {
  if (running()) return;
  if (!graph_.valid()) graph_.build(content_.cells, splitFrom_);
  const std::vector<std::uint32_t>& order = graph_.order();
  std::size_t rest = graph_.secondEnd();
  if (rest > 0) computeSideBySide(graph_.firstEnd(), rest);
  for (std::size_t i = rest; i < order.size(); ++i) {
    CellPos p = graph_.position(order[i]);
    evaluate(p.col, p.row, graph_.circular(order[i]));
  }
}

// The two halves' own parts of the order, the first on a second thread. No
// formula there calls out of the grid or reads a cell it does not name, so
// each thread writes only its own formulas' values and reads only those and
// cells no formula writes.
void Recalculator::computeSideBySide(std::size_t firstEnd, std::size_t secondEnd) {
  const std::vector<std::uint32_t>& order = graph_.order();
  auto part = [&](Evaluator& evaluator, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
      CellPos p = graph_.position(order[i]);
      Cell* c = content_.cells.find(p.col, p.row);
      if (!c) continue;
      if (graph_.circular(order[i])) {
        c->value = Value::makeError(ErrorCode::Ref);
        continue;
      }
      EvalContext context{content_.cells, p, content_.maxCols, content_.maxRows, &custom_};
      c->value = evaluator.run(c->formula, context);
    }
  };
  ++running_;  // the whole time, for anyone asking whether the sheet is busy
  struct Done {
    int& running;
    ~Done() { --running; }
  } done{running_};
  std::exception_ptr failed;
  std::jthread worker;
  try {
    worker = std::jthread([&] {
      try {
        Evaluator own;
        part(own, 0, firstEnd);
      } catch (...) {
        failed = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    part(evaluator_, 0, firstEnd);  // no thread to be had: one after the other
  }
  part(evaluator_, firstEnd, secondEnd);
  if (worker.joinable()) worker.join();
  if (failed) std::rethrow_exception(failed);
}

void Recalculator::single(int col, int row) {
  if (running()) return;
  evaluate(col, row, false);
}

void Recalculator::cellWithPrecedents(int col, int row) {
  if (running()) return;
  const Cell* root = content_.cells.find(col, row);
  if (!root || !root->hasFormula()) return;
  // A graph of just the cells this one reads, found while ordering.
  std::unordered_map<std::uint64_t, std::uint32_t> ids;
  std::vector<CellPos> nodes;
  auto idOf = [&](int c, int r) {
    auto [it, fresh] = ids.emplace(cellKey(c, r), static_cast<std::uint32_t>(nodes.size()));
    if (fresh) nodes.push_back({c, r});
    return it->second;
  };
  idOf(col, row);
  std::vector<CellPos> refs;
  std::vector<Area> areas;
  const std::uint32_t first[] = {0};
  localOrder_.run(first, [&](std::uint32_t v, std::vector<std::uint32_t>& out) {
    CellPos p = nodes[v];
    const Cell* cell = content_.cells.find(p.col, p.row);
    refs.clear();
    areas.clear();
    cell->formula.references(refs, areas);
    for (const CellPos& r : refs) {
      const Cell* t = content_.cells.find(r.col, r.row);
      if (t && t->hasFormula()) out.push_back(idOf(r.col, r.row));
    }
    for (const Area& a : areas) {
      content_.cells.forEachIn(a, [&](const Cell& t, int r) {
        if (t.hasFormula()) out.push_back(idOf(t.col, r));
      });
    }
  });
  std::vector<std::uint32_t> order = localOrder_.order();
  for (std::uint32_t v : order) evaluate(nodes[v].col, nodes[v].row, localOrder_.circular(v));
}

void Recalculator::dependentsOf(int col, int row) {
  if (running()) return;
  if (!graph_.valid()) graph_.build(content_.cells);
  std::vector<std::uint32_t> nodes = graph_.dependentsOf(col, row, content_.cells);
  for (std::uint32_t node : nodes) {
    CellPos p = graph_.position(node);
    evaluate(p.col, p.row, graph_.circular(node));
  }
}

}  // namespace grid
