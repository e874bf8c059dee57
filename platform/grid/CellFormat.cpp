#include "platform/grid/CellFormat.h"

#include <functional>

namespace grid {
namespace {
void mix(std::size_t& h, std::size_t v) {
  h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
}
}  // namespace

std::vector<std::string> CellType::comboItems() const {
  std::vector<std::string> items;
  if (text.empty()) return items;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = text.find('\t', start);
    items.push_back(text.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return items;
}

std::size_t CellFormatHash::operator()(const CellFormat& f) const {
  std::size_t h = static_cast<std::size_t>(f.type.kind);
  mix(h, f.type.style);
  mix(h, static_cast<std::size_t>(f.type.maxLength));
  mix(h, static_cast<std::size_t>(f.type.decimals));
  mix(h, std::hash<double>()(f.type.minimum));
  mix(h, std::hash<double>()(f.type.maximum));
  mix(h, std::hash<std::string>()(f.type.text));
  mix(h, f.type.handle ^ (f.type.handle2 << 1));
  mix(h, f.locked | f.type.separator << 1 | f.type.editable << 2);
  mix(h, f.background);
  mix(h, f.foreground);
  mix(h, f.border.type ^ (static_cast<std::size_t>(f.border.style) << 16) ^
             (static_cast<std::size_t>(f.border.color) << 24));
  mix(h, std::hash<std::string>()(f.font.face));
  mix(h, static_cast<std::size_t>(f.font.height) | f.font.bold << 20 | f.font.italic << 21 |
             f.font.underline << 22);
  return h;
}

FormatTable::FormatTable() {
  clear();
}

void FormatTable::clear() {
  retyped_.clear();
  formats_.assign(1, CellFormat{});
  index_.clear();
  index_.emplace(CellFormat{}, 0);
}

void FormatTable::compact(const std::vector<bool>& used, std::vector<std::uint32_t>& remap) {
  std::vector<CellFormat> old = std::move(formats_);
  clear();
  remap.assign(old.size(), 0);
  for (std::size_t i = 1; i < old.size(); ++i)
    if (i < used.size() && used[i]) remap[i] = intern(old[i]);
}

std::uint32_t FormatTable::retype(std::uint32_t from, const CellType& type) {
  for (const Retyped& r : retyped_)
    if (r.from == from && r.type == type) return r.to;
  CellFormat format = at(from);
  format.type = type;
  const std::uint32_t to = intern(format);
  constexpr std::size_t kKept = 8;
  if (retyped_.size() == kKept) retyped_.erase(retyped_.begin());
  retyped_.push_back({from, to, type});
  return to;
}

std::uint32_t FormatTable::intern(const CellFormat& format) {
  auto it = index_.find(format);
  if (it != index_.end()) return it->second;
  auto id = static_cast<std::uint32_t>(formats_.size());
  formats_.push_back(format);
  index_.emplace(format, id);
  return id;
}

}  // namespace grid
