#include "platform/grid/CellStore.h"

#include <iterator>
#include <memory>

#include "platform/grid/BlockPool.h"

namespace grid {
namespace {

// Rows of up to 64 cells; never destroyed, as cells of static lifetime may
// be freed after every other destructor has run.
union RowPool {
  BlockPool pool;
  RowPool() : pool(sizeof(Cell), 64 * sizeof(Cell)) {}
  ~RowPool() {}
};

BlockPool& rowPool() {
  static RowPool instance;
  return instance.pool;
}

}  // namespace

void* takeRowBlock(std::size_t bytes) {
  return rowPool().take(bytes);
}

void giveRowBlock(void* block, std::size_t bytes) noexcept {
  rowPool().give(block, bytes);
}

Cell Cell::clone() const {
  Cell c;
  c.value = value;
  c.col = col;
  c.format = format;
  if (formula) c.formula = CompiledFormula(formula.code(), formula.text());
  if (tag) c.tag = std::make_unique<std::string>(*tag);
  return c;
}

CellStore::CellStore(const CellStore& other) : count_(other.count_) {
  rows_.resize(other.rows_.size());
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    rows_[r].reserve(other.rows_[r].size());
    for (const Cell& c : other.rows_[r]) rows_[r].push_back(c.clone());
  }
}

CellStore& CellStore::operator=(const CellStore& other) {
  if (this != &other) *this = CellStore(other);
  return *this;
}

const Value& CellStore::emptyValue() {
  static const Value empty;
  return empty;
}

const Cell* CellStore::find(int col, int row) const {
  if (row < 0 || row >= rowLimit()) return nullptr;
  const Row& r = rows_[static_cast<std::size_t>(row)];
  if (r.empty()) return nullptr;
  // Rows are mostly filled from their first cell on without gaps: try the
  // cell's own place first.
  std::size_t guess = static_cast<std::size_t>(col - r.front().col);
  if (guess < r.size() && r[guess].col == col) return &r[guess];
  // Short rows are scanned; the binary search pays off only on wide ones.
  if (r.size() <= 8) {
    for (const Cell& c : r) {
      if (c.col == col) return &c;
      if (c.col > col) return nullptr;
    }
    return nullptr;
  }
  auto it = lowerBound(r, col);
  return it != r.end() && it->col == col ? &*it : nullptr;
}

Cell* CellStore::find(int col, int row) {
  return const_cast<Cell*>(static_cast<const CellStore*>(this)->find(col, row));
}

Cell& CellStore::obtain(int col, int row) {
  if (row >= rowLimit()) rows_.resize(static_cast<std::size_t>(row) + 1);
  Row& r = rows_[static_cast<std::size_t>(row)];
  // A file's rows are filled left to right: the new cell goes at the end.
  if ((r.empty() || r.back().col < col) && r.capacity() > r.size()) {
    r.emplace_back().col = static_cast<std::int16_t>(col);
    ++count_;
    return r.back();
  }
  auto it = lowerBound(r, col);
  if (it != r.end() && it->col == col) return *it;
  if (r.capacity() == r.size()) {
    // Grow by a quarter rather than double: rows are many and mostly short,
    // and what a row reserves stays unused.
    auto at = it - r.begin();
    r.reserve(r.size() < 4 ? 4 : r.size() + r.size() / 4 + 2);
    it = r.begin() + at;
  }
  it = r.insert(it, Cell{});
  it->col = col;
  ++count_;
  return *it;
}

void CellStore::reserveRow(int row, std::size_t cells) {
  if (row < 0) return;
  if (row >= rowLimit()) rows_.resize(static_cast<std::size_t>(row) + 1);
  rows_[static_cast<std::size_t>(row)].reserve(cells);
}

void CellStore::compact(int col, int row) {
  Cell* c = find(col, row);
  if (c && c->isBlank()) erase(col, row);
}

void CellStore::erase(int col, int row) {
  if (row < 0 || row >= rowLimit()) return;
  Row& r = rows_[static_cast<std::size_t>(row)];
  auto it = lowerBound(r, col);
  if (it == r.end() || it->col != col) return;
  r.erase(it);
  --count_;
  if (static_cast<std::size_t>(row) + 1 == rows_.size()) {
    while (!rows_.empty() && rows_.back().empty()) rows_.pop_back();
  }
}

void CellStore::clear() {
  rows_.clear();
  count_ = 0;
}

// Row inserts and deletes keep the count by what they drop, not by a
// recount: a sheet that grows a row at a time (a bill) stays linear.
void CellStore::insertRows(int at, int count, int limit) {
  if (at >= rowLimit() || count <= 0) return;
  std::vector<Row> fresh(static_cast<std::size_t>(count));
  rows_.insert(rows_.begin() + at, std::make_move_iterator(fresh.begin()),
               std::make_move_iterator(fresh.end()));
  if (rowLimit() > limit + 1) {
    for (auto r = rows_.begin() + limit + 1; r != rows_.end(); ++r) count_ -= r->size();
    rows_.resize(static_cast<std::size_t>(limit) + 1);
  }
  dropEmptyTail();
}

void CellStore::deleteRows(int at, int count) {
  if (at >= rowLimit() || count <= 0) return;
  int end = std::min(rowLimit(), at + count);
  for (auto r = rows_.begin() + at; r != rows_.begin() + end; ++r) count_ -= r->size();
  rows_.erase(rows_.begin() + at, rows_.begin() + end);
  dropEmptyTail();
}

void CellStore::dropEmptyTail() {
  while (!rows_.empty() && rows_.back().empty()) rows_.pop_back();
}

void CellStore::insertCols(int at, int count, int limit) {
  if (count <= 0) return;
  const int firstDropped = limit - count + 1 >= at ? limit - count + 1 : std::min(at, limit + 1);
  for (Row& r : rows_) {
    // Cells that would end past the limit go first: the rest move within
    // the columns a cell can hold.
    auto past = lowerBound(r, firstDropped);
    count_ -= static_cast<std::size_t>(r.end() - past);
    r.erase(past, r.end());
    for (auto j = lowerBound(r, at); j != r.end(); ++j)
      j->col = static_cast<std::int16_t>(j->col + count);
  }
  dropEmptyTail();
}

void CellStore::deleteCols(int at, int count) {
  if (count <= 0) return;
  for (Row& r : rows_) {
    auto first = lowerBound(r, at);
    auto last = lowerBound(r, at + count);
    for (auto j = last; j != r.end(); ++j) j->col -= count;
    count_ -= static_cast<std::size_t>(last - first);
    r.erase(first, last);
  }
  dropEmptyTail();
}

void CellStore::truncate(int maxCol, int maxRow) {
  if (rowLimit() > maxRow + 1) {
    for (auto r = rows_.begin() + std::max(maxRow, -1) + 1; r != rows_.end(); ++r)
      count_ -= r->size();
    rows_.resize(static_cast<std::size_t>(std::max(maxRow, -1) + 1));
  }
  for (Row& r : rows_) {
    auto past = lowerBound(r, maxCol + 1);
    count_ -= static_cast<std::size_t>(r.end() - past);
    r.erase(past, r.end());
  }
  dropEmptyTail();
}

std::vector<std::pair<CellPos, Cell>> CellStore::take(const Area& a) {
  std::vector<std::pair<CellPos, Cell>> out;
  if (a.col2 < a.col1) return out;  // an empty block
  int last = std::min(a.row2, rowLimit() - 1);
  for (int row = std::max(a.row1, 0); row <= last; ++row) {
    Row& r = rows_[static_cast<std::size_t>(row)];
    auto first = lowerBound(r, a.col1);
    auto end = lowerBound(r, a.col2 + 1);
    for (auto j = first; j != end; ++j) out.emplace_back(CellPos{j->col, row}, std::move(*j));
    count_ -= static_cast<std::size_t>(end - first);
    r.erase(first, end);
  }
  dropEmptyTail();
  return out;
}

void CellStore::appendRows(CellStore&& other) {
  std::size_t first = rows_.size();
  if (other.rows_.size() > first) rows_.resize(other.rows_.size());
  for (std::size_t r = 0; r < other.rows_.size(); ++r) {
    Row& from = other.rows_[r];
    if (from.empty()) continue;
    if (rows_[r].empty()) {
      count_ += from.size();
      rows_[r] = std::move(from);
    } else {
      // Not the case it is made for, but no cell is lost.
      for (Cell& c : from) put(c.col, static_cast<int>(r), std::move(c));
    }
  }
  other.clear();
}

void CellStore::put(int col, int row, Cell&& cell) {
  Cell& c = obtain(col, row);
  c = std::move(cell);
  c.col = col;
}

}  // namespace grid
