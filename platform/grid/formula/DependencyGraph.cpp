#include "platform/grid/formula/DependencyGraph.h"

namespace grid {
namespace {
std::uint64_t colMajorKey(int col, int row) {
  return static_cast<std::uint64_t>(static_cast<std::uint32_t>(col)) << 32 |
         static_cast<std::uint32_t>(row);
}
}  // namespace

namespace {
bool rowMajorLess(const DependencyGraph::Node& a, const DependencyGraph::Node& b) {
  return a.row != b.row ? a.row < b.row : a.col < b.col;
}
}  // namespace

// The nodes of one row: rowStart_ gives where each row's nodes begin.
std::pair<std::uint32_t, std::uint32_t> DependencyGraph::rowRange(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) + 1 >= rowStart_.size()) return {0, 0};
  return {rowStart_[static_cast<std::size_t>(row)], rowStart_[static_cast<std::size_t>(row) + 1]};
}

int DependencyGraph::nodeAt(int col, int row) const {
  auto [first, last] = rowRange(row);
  auto it =
      std::lower_bound(nodes_.begin() + first, nodes_.begin() + last, Node{col, row}, rowMajorLess);
  return it != nodes_.begin() + last && it->col == col ? static_cast<int>(it - nodes_.begin()) : -1;
}

// Formula cells inside a block: row by row for short blocks, column by
// column (through an index sorted by column, made on first need) for tall
// ones such as SUM(A1:A10000).
void DependencyGraph::formulasIn(const Area& a, std::vector<std::uint32_t>& out) {
  if (a.height() <= 32) {
    for (int row = a.row1; row <= a.row2; ++row) {
      auto [first, last] = rowRange(row);
      auto end = nodes_.begin() + last;
      auto it = std::lower_bound(nodes_.begin() + first, end, Node{a.col1, row}, rowMajorLess);
      for (; it != end && it->col <= a.col2; ++it)
        out.push_back(static_cast<std::uint32_t>(it - nodes_.begin()));
    }
    return;
  }
  if (byColumn_.size() != nodes_.size()) {
    byColumn_.resize(nodes_.size());
    for (std::uint32_t i = 0; i < byColumn_.size(); ++i) byColumn_[i] = i;
    std::sort(byColumn_.begin(), byColumn_.end(), [&](std::uint32_t x, std::uint32_t y) {
      const Node &p = nodes_[x], &q = nodes_[y];
      return p.col != q.col ? p.col < q.col : p.row < q.row;
    });
  }
  auto colMajorBefore = [&](std::uint32_t id, const Node& key) {
    const Node& n = nodes_[id];
    return n.col != key.col ? n.col < key.col : n.row < key.row;
  };
  for (int col = a.col1; col <= a.col2; ++col) {
    auto it =
        std::lower_bound(byColumn_.begin(), byColumn_.end(), Node{col, a.row1}, colMajorBefore);
    if (it == byColumn_.end()) break;
    if (nodes_[*it].col != col) {
      col = nodes_[*it].col - 1;  // jump to the next column that has formulas
      continue;
    }
    for (; it != byColumn_.end() && nodes_[*it].col == col && nodes_[*it].row <= a.row2; ++it)
      out.push_back(*it);
  }
}

void DependencyGraph::build(const CellStore& cells) {
  nodes_.clear();
  byColumn_.clear();
  edgeStart_.clear();
  edges_.clear();
  reverseBuilt_ = false;
  // Sized exactly: a sheet of a million formulas leaves no half-used room.
  std::size_t formulas = 0;
  cells.forEach([&](const Cell& c, int) { formulas += c.hasFormula(); });
  nodes_.reserve(formulas);
  // The store walks row by row, each row by column: the nodes come sorted.
  cells.forEach([&](const Cell& c, int row) {
    if (c.hasFormula()) nodes_.push_back({c.col, row});
  });
  rowStart_.assign(static_cast<std::size_t>(cells.rowLimit()) + 1, 0);
  for (const Node& n : nodes_) ++rowStart_[static_cast<std::size_t>(n.row) + 1];
  for (std::size_t i = 1; i < rowStart_.size(); ++i) rowStart_[i] += rowStart_[i - 1];
  std::vector<CellPos> refs;
  std::vector<Area> areas;
  edgeStart_.reserve(nodes_.size() + 1);
  // The store walked again, in the nodes' order: no search for each node's cell.
  cells.forEach([&](const Cell& c, int) {
    if (!c.hasFormula()) return;
    edgeStart_.push_back(static_cast<std::uint32_t>(edges_.size()));
    refs.clear();
    areas.clear();
    c.formula.references(refs, areas);
    for (const CellPos& p : refs) {
      // Most references name data cells: the store answers that faster
      // than a search among the formula cells.
      const Cell* target = cells.find(p.col, p.row);
      if (!target || !target->hasFormula()) continue;
      int id = nodeAt(p.col, p.row);
      if (id >= 0) edges_.push_back(static_cast<std::uint32_t>(id));
    }
    for (const Area& a : areas) formulasIn(a, edges_);
  });
  edgeStart_.push_back(static_cast<std::uint32_t>(edges_.size()));
  edges_.shrink_to_fit();
  // Every node, counted rather than listed (clang's ranges reject views::iota
  // over this standard library, and a list would cost a word a formula).
  struct Count {
    std::uint32_t v;
    std::uint32_t operator*() const { return v; }
    Count& operator++() { return ++v, *this; }
    bool operator!=(const Count& o) const { return v != o.v; }
  };
  struct AllNodes {
    std::uint32_t n;
    Count begin() const { return {0}; }
    Count end() const { return {n}; }
  } roots{static_cast<std::uint32_t>(nodes_.size())};
  order_.run(roots, [&](std::uint32_t v, std::vector<std::uint32_t>& out) {
    out.insert(out.end(), edges_.begin() + edgeStart_[v], edges_.begin() + edgeStart_[v + 1]);
  });
  order_.releaseScratch();
  std::vector<std::uint32_t>().swap(rowStart_);  // dependentsOf finds nodes by search
  valid_ = true;
}

void DependencyGraph::buildReverse(const CellStore& cells) {
  cellReaders_.clear();
  areaReaders_.clear();
  volatile_.clear();
  std::vector<CellPos> refs;
  std::vector<Area> areas;
  for (std::uint32_t v = 0; v < nodes_.size(); ++v) {
    refs.clear();
    areas.clear();
    if (const Cell* c = cells.find(nodes_[v].col, nodes_[v].row)) {
      c->formula.references(refs, areas);
      if (c->formula.isVolatile()) volatile_.push_back(v);
    }
    for (const CellPos& p : refs) cellReaders_.emplace_back(colMajorKey(p.col, p.row), v);
    for (const Area& a : areas) areaReaders_.emplace_back(a, v);
  }
  std::sort(cellReaders_.begin(), cellReaders_.end());
  // Formula-to-formula readers: the forward edges turned round (counting sort).
  readerStart_.assign(nodes_.size() + 1, 0);
  for (std::uint32_t e : edges_) ++readerStart_[e + 1];
  for (std::size_t i = 1; i < readerStart_.size(); ++i) readerStart_[i] += readerStart_[i - 1];
  readers_.resize(edges_.size());
  std::vector<std::uint32_t> fill(readerStart_.begin(), readerStart_.end() - 1);
  for (std::uint32_t v = 0; v < nodes_.size(); ++v)
    for (std::uint32_t i = edgeStart_[v]; i < edgeStart_[v + 1]; ++i)
      readers_[fill[edges_[i]]++] = v;
  rank_.assign(nodes_.size(), 0);
  const auto& ord = order_.order();
  for (std::uint32_t i = 0; i < ord.size(); ++i) rank_[ord[i]] = i;
  reverseBuilt_ = true;
}

std::vector<std::uint32_t> DependencyGraph::dependentsOf(int col, int row, const CellStore& cells) {
  if (!reverseBuilt_) buildReverse(cells);
  std::vector<std::uint32_t> out;
  std::vector<std::uint8_t> seen(nodes_.size(), 0);
  auto reach = [&](std::uint32_t v) {
    if (!seen[v]) seen[v] = 1, out.push_back(v);
  };
  std::uint64_t key = colMajorKey(col, row);
  auto it = std::lower_bound(cellReaders_.begin(), cellReaders_.end(),
                             std::make_pair(key, std::uint32_t{0}));
  for (; it != cellReaders_.end() && it->first == key; ++it) reach(it->second);
  for (const auto& [a, v] : areaReaders_)
    if (a.contains(col, row)) reach(v);
  for (std::uint32_t v : volatile_) reach(v);
  for (std::size_t i = 0; i < out.size(); ++i) {
    std::uint32_t v = out[i];
    for (std::uint32_t j = readerStart_[v]; j < readerStart_[v + 1]; ++j) reach(readers_[j]);
  }
  std::sort(out.begin(), out.end(),
            [&](std::uint32_t a, std::uint32_t b) { return rank_[a] < rank_[b]; });
  return out;
}

}  // namespace grid
