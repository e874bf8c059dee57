#include "platform/grid/SpanTable.h"

#include <algorithm>

namespace grid {

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

bool SpanTable::add(const Area& span) {
  if (span.col1 < 0 || span.row1 < 0 || span.col2 < span.col1 || span.row2 < span.row1)
    return false;
  auto key = std::make_pair(span.row1, span.col1);
  auto same = spans_.find(key);
  for (const auto& [k, s] : spans_)
    if (k != key && s.overlaps(span)) return false;
  if (same != spans_.end()) spans_.erase(same);
  if (span.width() == 1 && span.height() == 1) return true;
  spans_.emplace(key, span);
  tallest_ = std::max(tallest_, span.height());
  return true;
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
}

std::vector<Area> SpanTable::all() const {
  std::vector<Area> out;
  out.reserve(spans_.size());
  for (const auto& [k, s] : spans_) out.push_back(s);
  return out;
}

void SpanTable::remap(const std::function<std::optional<Area>(const Area&)>& f) {
  std::vector<Area> old = all();
  clear();
  for (const Area& s : old) {
    auto moved = f(s);
    if (moved && (moved->width() > 1 || moved->height() > 1)) add(*moved);
  }
}

}  // namespace grid
