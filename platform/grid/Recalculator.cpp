#include "platform/grid/Recalculator.h"

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
  if (!graph_.valid()) graph_.build(content_.cells);
  const std::vector<std::uint32_t>& order = graph_.order();
  for (std::uint32_t node : order) {
    CellPos p = graph_.position(node);
    evaluate(p.col, p.row, graph_.circular(node));
  }
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
