#include "platform/grid/SpanTable.h"

#include <algorithm>
#include <numeric>
#include <queue>

namespace grid {

namespace {
bool wellFormed(const Area& s) {
  return s.col1 >= 0 && s.row1 >= 0 && s.col2 >= s.col1 && s.row2 >= s.row1;
}
bool singleCell(const Area& s) {
  return s.width() == 1 && s.height() == 1;
}
}  // namespace

std::optional<Area> SpanTable::find(int col, int row) const {
  // Only anchors in the rows that a span can reach down from need a look;
  // within one row, the anchor at or left of the column is the candidate.
  int first = std::max(0, row - tallest_ + 1);
  for (int r = row; r >= first;) {
    auto it = spans_.upper_bound({r, col});
    if (it == spans_.begin()) break;
    --it;
    int anchorRow = it->first.first;
    if (anchorRow < first) break;
    if (anchorRow != r) {
      r = anchorRow;  // no anchor at or left of the column in the rows between
      continue;
    }
    if (it->second.contains(col, row)) return it->second;
    --r;
  }
  return std::nullopt;
}

// A span that overlaps this one has its anchor at most tallest_ - 1 rows
// above and widest_ - 1 columns left of it: only those anchors are read,
// row by row, skipping the rows without any.
bool SpanTable::overlapsOther(const Area& span, const Key& self) const {
  int rowLo = std::max(0, span.row1 - tallest_ + 1);
  int colLo = std::max(0, span.col1 - widest_ + 1);
  auto it = spans_.lower_bound({rowLo, colLo});
  while (it != spans_.end() && it->first.first <= span.row2) {
    auto [row, col] = it->first;
    if (col < colLo) {
      it = spans_.lower_bound({row, colLo});
    } else if (col > span.col2) {
      it = spans_.lower_bound({row + 1, colLo});
    } else {
      if (it->first != self && it->second.overlaps(span)) return true;
      ++it;
    }
  }
  return false;
}

void SpanTable::noteExtent(const Area& span) {
  tallest_ = std::max(tallest_, span.height());
  widest_ = std::max(widest_, span.width());
}

bool SpanTable::add(const Area& span) {
  if (!wellFormed(span)) return false;
  Key key{span.row1, span.col1};
  if (overlapsOther(span, key)) return false;
  spans_.erase(key);
  if (singleCell(span)) return true;
  spans_.emplace(key, span);
  noteExtent(span);
  return true;
}

std::vector<std::size_t> SpanTable::assign(const std::vector<Area>& spans) {
  clear();
  std::vector<std::size_t> order(spans.size()), leftOut;
  std::iota(order.begin(), order.end(), std::size_t{0});
  auto anchorLess = [&](std::size_t a, std::size_t b) {
    return Key{spans[a].row1, spans[a].col1} < Key{spans[b].row1, spans[b].col1};
  };
  std::stable_sort(order.begin(), order.end(), anchorLess);

  // A sweep down the rows: `active` holds the spans that cover the sweep's
  // row, by first column. They cover one row, so their columns never
  // overlap and the one starting at or left of a span's last column is the
  // only one that can meet it.
  struct Active {
    int col2;
    int row2;
  };
  std::map<int, Active> active;
  using Expiry = std::pair<int, int>;  // (last row, first column)
  std::priority_queue<Expiry, std::vector<Expiry>, std::greater<>> expiries;
  for (std::size_t n = 0; n < order.size(); ++n) {
    const Area& s = spans[order[n]];
    // Of two spans with the same anchor the later replaces the earlier.
    bool replaced = n + 1 < order.size() && !anchorLess(order[n], order[n + 1]);
    if (!wellFormed(s) || replaced || singleCell(s)) {
      if (!wellFormed(s) || replaced) leftOut.push_back(order[n]);
      continue;
    }
    while (!expiries.empty() && expiries.top().first < s.row1) {
      active.erase(expiries.top().second);
      expiries.pop();
    }
    auto next = active.upper_bound(s.col2);
    if (next != active.begin() && std::prev(next)->second.col2 >= s.col1) {
      leftOut.push_back(order[n]);
      continue;
    }
    active.emplace_hint(next, s.col1, Active{s.col2, s.row2});
    expiries.emplace(s.row2, s.col1);
    spans_.emplace_hint(spans_.end(), Key{s.row1, s.col1}, s);
    noteExtent(s);
  }
  std::sort(leftOut.begin(), leftOut.end());
  return leftOut;
}

bool SpanTable::removeAt(int col, int row) {
  auto s = find(col, row);
  if (!s) return false;
  spans_.erase({s->row1, s->col1});
  return true;
}

void SpanTable::clear() {
  spans_.clear();
  tallest_ = 1;
  widest_ = 1;
}

std::vector<Area> SpanTable::all() const {
  std::vector<Area> out;
  out.reserve(spans_.size());
  for (const auto& [k, s] : spans_) out.push_back(s);
  return out;
}

void SpanTable::remap(const std::function<std::optional<Area>(const Area&)>& f) {
  std::vector<Area> moved;
  moved.reserve(spans_.size());
  for (const auto& [k, s] : spans_)
    if (auto m = f(s)) moved.push_back(*m);
  assign(moved);
}

}  // namespace grid
