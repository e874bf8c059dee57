#pragma once
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/grid/CellAddress.h"
#include "platform/grid/CellStore.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Orders formula cells so that every cell comes after the formula cells it
// reads (Tarjan's strongly connected components, without recursion). Cells
// that read themselves through a cycle are marked circular.
//   successors(node, out): appends the nodes that node reads; it may create
//   nodes on the fly as long as their ids are dense.
class CycleAwareOrder {
 public:
  // roots: any range of node ids (a counting range for every node).
  template <class Roots, class Successors>
  void run(const Roots& roots, Successors&& successors);
  const std::vector<std::uint32_t>& order() const { return order_; }
  std::vector<std::uint32_t> takeOrder() { return std::move(order_); }
  // Drops the scratch of the last run; the order and the cycle marks stay.
  void releaseScratch();
  bool circular(std::uint32_t node) const { return node < circular_.size() && circular_[node]; }

 private:
  struct Frame {
    std::uint32_t node;
    std::size_t start, next, end;  // the node's successors in buffer_
  };
  void ensure(std::uint32_t node) {
    if (node >= index_.size()) {
      index_.resize(node + 1, kUnvisited);
      low_.resize(node + 1, 0);
      onStack_.resize(node + 1, 0);
      circular_.resize(node + 1, 0);
    }
  }
  static constexpr std::uint32_t kUnvisited = 0xFFFFFFFF;
  std::vector<std::uint32_t> index_, low_, stack_, buffer_, order_;
  std::vector<std::uint8_t> onStack_, circular_;
  std::vector<Frame> frames_;
};

// The dependencies between all formula cells of a sheet, built on demand
// and dropped whenever a formula changes. A large sheet is built in two
// halves of its rows side by side, and its order falls into parts that two
// threads may compute at once (see firstEnd()).
class GRID_API DependencyGraph {
 public:
  // From this many formulas on, a sheet is split; below, a thread costs
  // more than it saves.
  static constexpr std::size_t kSplitFrom = 20000;

  bool valid() const { return valid_; }
  void invalidate() { valid_ = false; }
  void build(const CellStore& cells, std::size_t splitFrom = kSplitFrom);

  std::size_t size() const { return nodes_.size(); }
  const std::vector<std::uint32_t>& order() const { return order_; }
  // order() in three parts: [0, firstEnd()) reads no formula of the lower
  // half of the rows, [firstEnd(), secondEnd()) none of the upper half; the
  // two may be computed side by side, the rest only after both, in order.
  // Both are 0 when the sheet was not split, or a formula may read cells
  // it does not name (a volatile or custom function): then the whole order
  // is the one a single thread takes.
  std::size_t firstEnd() const { return firstEnd_; }
  std::size_t secondEnd() const { return secondEnd_; }
  CellPos position(std::uint32_t node) const { return {nodes_[node].col, nodes_[node].row}; }
  bool circular(std::uint32_t node) const { return sorter_.circular(node); }
  // The formula cells that read the cell, directly or through others, in
  // evaluation order, with the volatile formulas and those that read them.
  std::vector<std::uint32_t> dependentsOf(int col, int row, const CellStore& cells);

 public:
  struct Node {
    int col, row;
  };

 private:
  struct Half;
  int nodeAt(int col, int row) const;
  std::pair<std::uint32_t, std::uint32_t> rowRange(int row) const;
  void formulasIn(const Area& a, Half& half);
  void placeNodes(const CellStore& cells, const Half& half);
  void linkRows(const CellStore& cells, Half& half, std::vector<std::uint8_t>& crosses);
  void linkHalves(const CellStore& cells, Half* halves, std::size_t count,
                  std::vector<std::uint8_t>& crosses);
  void splitOrder(std::uint32_t midNode, std::vector<std::uint8_t>& crosses);
  void buildReverse(const CellStore& cells);

  bool valid_ = false;
  std::vector<Node> nodes_;              // sorted by row, then column
  std::vector<std::uint32_t> byColumn_;  // node ids sorted by column, then row
  std::vector<std::uint32_t> rowStart_;  // while building: first node of each row
  std::vector<std::uint32_t> edgeStart_, edges_;
  CycleAwareOrder sorter_;
  std::vector<std::uint32_t> order_;
  std::size_t firstEnd_ = 0, secondEnd_ = 0;
  // Who reads what, for dependents: built on first need.
  bool reverseBuilt_ = false;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> cellReaders_;  // (column-major key, node)
  std::vector<std::pair<Area, std::uint32_t>> areaReaders_;
  std::vector<std::uint32_t> volatile_;               // nodes computed after any change
  std::vector<std::uint32_t> readerStart_, readers_;  // formula node -> formula nodes reading it
  std::vector<std::uint32_t> rank_;                   // node -> position in order
};

inline void CycleAwareOrder::releaseScratch() {
  std::vector<std::uint32_t>().swap(index_);
  std::vector<std::uint32_t>().swap(low_);
  std::vector<std::uint32_t>().swap(stack_);
  std::vector<std::uint32_t>().swap(buffer_);
  std::vector<std::uint8_t>().swap(onStack_);
  std::vector<Frame>().swap(frames_);
}

template <class Roots, class Successors>
void CycleAwareOrder::run(const Roots& roots, Successors&& successors) {
  index_.clear(), low_.clear(), stack_.clear(), buffer_.clear(), order_.clear();
  onStack_.clear(), circular_.clear(), frames_.clear();
  bool any = false;
  std::uint32_t top = 0;
  for (std::uint32_t r : roots) top = std::max(top, r), any = true;
  if (any) ensure(top);
  order_.reserve(index_.size());
  std::uint32_t counter = 0;
  auto open = [&](std::uint32_t v) {
    ensure(v);
    index_[v] = low_[v] = counter++;
    stack_.push_back(v);
    onStack_[v] = 1;
    std::size_t start = buffer_.size();
    successors(v, buffer_);
    for (std::size_t i = start; i < buffer_.size(); ++i) {
      ensure(buffer_[i]);
      if (buffer_[i] == v) circular_[v] = 1;
    }
    frames_.push_back({v, start, start, buffer_.size()});
  };
  for (std::uint32_t root : roots) {
    ensure(root);
    if (index_[root] != kUnvisited) continue;
    open(root);
    while (!frames_.empty()) {
      Frame& f = frames_.back();
      if (f.next < f.end) {
        std::uint32_t w = buffer_[f.next++];
        if (index_[w] == kUnvisited)
          open(w);
        else if (onStack_[w])
          low_[f.node] = std::min(low_[f.node], index_[w]);
        continue;
      }
      std::uint32_t v = f.node;
      buffer_.resize(f.start);  // frames end in reverse order of their start
      frames_.pop_back();
      if (low_[v] == index_[v]) {
        std::size_t first = stack_.size();
        do --first;
        while (stack_[first] != v);
        bool cycle = stack_.size() - first > 1;
        for (std::size_t i = first; i < stack_.size(); ++i) {
          std::uint32_t w = stack_[i];
          onStack_[w] = 0;
          if (cycle) circular_[w] = 1;
          order_.push_back(w);
        }
        stack_.resize(first);
      }
      if (!frames_.empty()) {
        std::uint32_t parent = frames_.back().node;
        low_[parent] = std::min(low_[parent], low_[v]);
      }
    }
  }
}

}  // namespace grid
