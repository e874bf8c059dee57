#include "platform/grid/formula/DependencyGraph.h"

#include <sys/mman.h>

#include <exception>
#include <latch>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "platform/grid/formula/FormulaReads.h"

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

namespace {
// Large edge lists live in mapped pages, given back to the system when
// freed: a half's edges grow on a thread of its own, and from that thread's
// heap the pages they leave behind would stay with the process. Small ones
// come from the heap: a mapping and its unmapping (which interrupts every
// other thread of the process) cost more than a small sheet's whole graph.
template <class T>
struct PageAllocator {
  using value_type = T;
  static constexpr std::size_t kPagedBytes = 256 * 1024;
  PageAllocator() = default;
  template <class U>
  PageAllocator(const PageAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    if (n * sizeof(T) < kPagedBytes) return std::allocator<T>().allocate(n);
    void* at =
        ::mmap(nullptr, n * sizeof(T), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (at == MAP_FAILED) throw std::bad_alloc();
    return static_cast<T*>(at);
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (n * sizeof(T) < kPagedBytes)
      std::allocator<T>().deallocate(p, n);
    else
      ::munmap(p, n * sizeof(T));
  }
  friend bool operator==(const PageAllocator&, const PageAllocator&) { return true; }
};

}  // namespace

// The rows [rowBegin, rowEnd) and their nodes [firstNode, endNode): the
// whole sheet, or one of its halves, linked by one thread.
struct DependencyGraph::Half {
  int rowBegin = 0, rowEnd = 0;
  std::uint32_t firstNode = 0, endNode = 0;
  std::once_flag* columnsSorted = nullptr;  // shared by both halves
  std::vector<std::uint32_t, PageAllocator<std::uint32_t>> edges;
  bool confined = true;  // no formula reads cells it does not name
  bool backward = true;  // every formula reads only formulas before it
};

// Formula cells inside a block: row by row for short blocks, column by
// column (through an index sorted by column, made once on first need by
// whichever half needs it) for tall ones such as SUM(A1:A10000).
void DependencyGraph::formulasIn(const Area& a, Half& half) {
  auto& out = half.edges;
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
  std::call_once(*half.columnsSorted, [this] {
    byColumn_.resize(nodes_.size());
    for (std::uint32_t i = 0; i < byColumn_.size(); ++i) byColumn_[i] = i;
    std::sort(byColumn_.begin(), byColumn_.end(), [&](std::uint32_t x, std::uint32_t y) {
      const Node &p = nodes_[x], &q = nodes_[y];
      return p.col != q.col ? p.col < q.col : p.row < q.row;
    });
  });
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

namespace {
Area rowsOf(int rowBegin, int rowEnd) {
  return {0, rowBegin, std::numeric_limits<int>::max(), rowEnd - 1};
}
}  // namespace

// The store walks row by row, each row by column: the nodes come sorted.
void DependencyGraph::placeNodes(const CellStore& cells, const Half& half) {
  std::uint32_t next = half.firstNode;
  cells.forEachIn(rowsOf(half.rowBegin, half.rowEnd), [&](const Cell& c, int row) {
    if (c.hasFormula()) nodes_[next++] = {c.col, row};
  });
}

// The half's edges, its nodes' starts relative to them, and which of its
// nodes read a formula of the other half.
void DependencyGraph::linkRows(const CellStore& cells, Half& half,
                               std::vector<std::uint8_t>& crosses) {
  std::vector<CellPos> refs;
  std::vector<Area> areas;
  auto& edges = half.edges;
  std::uint32_t node = half.firstNode;
  // The store walked again, in the nodes' order: no search for each node's cell.
  cells.forEachIn(rowsOf(half.rowBegin, half.rowEnd), [&](const Cell& c, int) {
    if (!c.hasFormula()) return;
    edgeStart_[node] = static_cast<std::uint32_t>(edges.size());
    refs.clear();
    areas.clear();
    if (!namedReads(c.formula, refs, areas)) half.confined = false;
    for (const CellPos& p : refs) {
      // Most references name data cells: the store answers that faster
      // than a search among the formula cells.
      const Cell* target = cells.find(p.col, p.row);
      if (!target || !target->hasFormula()) continue;
      int id = nodeAt(p.col, p.row);
      if (id >= 0) edges.push_back(static_cast<std::uint32_t>(id));
    }
    for (const Area& a : areas) formulasIn(a, half);
    if (!crosses.empty()) {
      // Reading a formula of the other half, or one before it in this half
      // that does: a formula read later is looked at again once ordered.
      std::uint8_t reads = 0;
      for (std::size_t i = edgeStart_[node]; i < edges.size(); ++i) {
        std::uint32_t e = edges[i];
        if (e >= node) half.backward = false;
        reads |= e < half.firstNode || e >= half.endNode ? 1 : e < node ? crosses[e] : 0;
      }
      crosses[node] = reads;
    }
    ++node;
  });
}

// Each half on a thread of its own when there are two; the nodes are all
// placed before any half looks one up.
void DependencyGraph::linkHalves(const CellStore& cells, Half* halves, std::size_t count,
                                 std::vector<std::uint8_t>& crosses) {
  if (count == 2) {
    std::latch placed(2);
    std::exception_ptr failed;
    std::jthread worker;
    try {
      worker = std::jthread([&] {
        placeNodes(cells, halves[1]);  // writes into room made before: cannot throw
        placed.arrive_and_wait();
        try {
          linkRows(cells, halves[1], crosses);
        } catch (...) {
          failed = std::current_exception();
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: both halves here, one after the other.
    }
    if (worker.joinable()) {
      placeNodes(cells, halves[0]);
      placed.arrive_and_wait();
      linkRows(cells, halves[0], crosses);
      worker.join();
      if (failed) std::rethrow_exception(failed);
      return;
    }
  }
  for (std::size_t i = 0; i < count; ++i) placeNodes(cells, halves[i]);
  for (std::size_t i = 0; i < count; ++i) linkRows(cells, halves[i], crosses);
}

void DependencyGraph::build(const CellStore& cells, std::size_t splitFrom) {
  valid_ = false;
  nodes_.clear();
  byColumn_.clear();
  edgeStart_.clear();
  std::vector<std::uint32_t>().swap(edges_);
  order_.clear();
  firstEnd_ = secondEnd_ = 0;
  reverseBuilt_ = false;
  // Sized exactly: a sheet of a million formulas leaves no half-used room.
  rowStart_.assign(static_cast<std::size_t>(cells.rowLimit()) + 1, 0);
  cells.forEach([&](const Cell& c, int row) {
    rowStart_[static_cast<std::size_t>(row) + 1] += c.hasFormula();
  });
  for (std::size_t i = 1; i < rowStart_.size(); ++i) rowStart_[i] += rowStart_[i - 1];
  const std::uint32_t total = rowStart_.back();
  nodes_.resize(total);
  edgeStart_.resize(static_cast<std::size_t>(total) + 1);

  // Split where the rows hold half the formulas, if both halves get some.
  std::once_flag columnsSorted;
  Half halves[2];
  std::size_t count = 1;
  halves[0] = {0, cells.rowLimit(), 0, total, &columnsSorted, {}, true};
  if (total >= splitFrom && total >= 2) {
    auto mid = std::lower_bound(rowStart_.begin(), rowStart_.end(), total / 2);
    int midRow = static_cast<int>(mid - rowStart_.begin());
    std::uint32_t midNode = *mid;
    if (midNode > 0 && midNode < total) {
      count = 2;
      halves[0] = {0, midRow, 0, midNode, &columnsSorted, {}, true};
      halves[1] = {midRow, cells.rowLimit(), midNode, total, &columnsSorted, {}, true};
    }
  }
  std::vector<std::uint8_t> crosses(count == 2 ? total : 0, 0);
  linkHalves(cells, halves, count, crosses);
  if (count == 2) {
    std::uint32_t offset = static_cast<std::uint32_t>(halves[0].edges.size());
    for (std::uint32_t v = halves[1].firstNode; v < total; ++v) edgeStart_[v] += offset;
  }
  // Sized exactly: a sheet of a million formulas leaves no half-used room.
  edges_.reserve(halves[0].edges.size() + (count == 2 ? halves[1].edges.size() : 0));
  for (std::size_t i = 0; i < count; ++i) {
    edges_.insert(edges_.end(), halves[i].edges.begin(), halves[i].edges.end());
    decltype(Half::edges)().swap(halves[i].edges);
  }
  edgeStart_[total] = static_cast<std::uint32_t>(edges_.size());

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
  } roots{total};
  const bool split = count == 2 && halves[0].confined && halves[1].confined;
  if (split && halves[0].backward && halves[1].backward) {
    // Every formula reads only formulas before it: no cycle, and the
    // formulas' own order is an order.
    sorter_.run(std::vector<std::uint32_t>{}, [](std::uint32_t, std::vector<std::uint32_t>&) {});
  } else {
    sorter_.run(roots, [&](std::uint32_t v, std::vector<std::uint32_t>& out) {
      out.insert(out.end(), edges_.begin() + edgeStart_[v], edges_.begin() + edgeStart_[v + 1]);
    });
    order_ = sorter_.takeOrder();
  }
  sorter_.releaseScratch();
  if (split) splitOrder(halves[1].firstNode, crosses);
  std::vector<std::uint32_t>().swap(rowStart_);  // dependentsOf finds nodes by search
  valid_ = true;
}

// Sorts the order into its parts, each in the order it had (the formulas'
// own order when order_ is empty): a formula belongs to the rest when it
// reads the other half, is in a cycle or reads a formula of the rest. Any
// order that puts every formula after those it reads gives the same values
// when no formula reads cells it does not name.
void DependencyGraph::splitOrder(std::uint32_t midNode, std::vector<std::uint8_t>& crosses) {
  const bool byId = order_.empty();
  const std::size_t total = nodes_.size();
  std::size_t parts[2] = {0, 0};
  for (std::size_t i = 0; i < total; ++i) {
    std::uint32_t v = byId ? static_cast<std::uint32_t>(i) : order_[i];
    if (!byId) {
      if (!crosses[v] && sorter_.circular(v)) crosses[v] = 1;
      for (std::uint32_t e = edgeStart_[v]; !crosses[v] && e < edgeStart_[v + 1]; ++e)
        crosses[v] = crosses[edges_[e]];
    }
    if (!crosses[v]) ++parts[v >= midNode];
  }
  std::vector<std::uint32_t> parted(total);
  std::size_t at[3] = {0, parts[0], parts[0] + parts[1]};
  for (std::size_t i = 0; i < total; ++i) {
    std::uint32_t v = byId ? static_cast<std::uint32_t>(i) : order_[i];
    parted[at[crosses[v] ? 2 : v >= midNode ? 1 : 0]++] = v;
  }
  order_.swap(parted);
  firstEnd_ = parts[0];
  secondEnd_ = parts[0] + parts[1];
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
  const auto& ord = order_;
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
