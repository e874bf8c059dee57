#include "spreadsheet/KvKeyIndex.h"

#include <utility>

namespace {

char fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameFolded(const std::string& folded, std::string_view text) {
  if (folded.size() != text.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (folded[i] != fold(text[i])) return false;
  return true;
}

}  // namespace

std::uint64_t KvKeyIndex::hashOf(std::string_view text) {
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a over the folded bytes
  for (char c : text) {
    h ^= static_cast<unsigned char>(fold(c));
    h *= 1099511628211ull;
  }
  return h;
}

void KvKeyIndex::grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{});
  std::size_t mask = slots_.size() - 1;
  for (Slot& s : old) {
    if (s.row == 0) continue;
    std::size_t at = s.hash & mask;
    while (slots_[at].row != 0) at = (at + 1) & mask;
    slots_[at] = std::move(s);
  }
}

void KvKeyIndex::add(std::string_view text, int row) {
  if (text.empty() || row <= 0) return;
  if ((used_ + 1) * 2 > slots_.size()) grow();
  std::uint64_t h = hashOf(text);
  std::size_t mask = slots_.size() - 1;
  std::size_t at = h & mask;
  for (; slots_[at].row != 0; at = (at + 1) & mask)
    if (slots_[at].hash == h && sameFolded(slots_[at].key, text)) return;
  Slot& s = slots_[at];
  s.key.assign(text);
  for (char& c : s.key) c = fold(c);
  s.hash = h;
  s.row = row;
  ++used_;
}

int KvKeyIndex::find(std::string_view text) const {
  if (slots_.empty() || text.empty()) return 0;
  std::uint64_t h = hashOf(text);
  std::size_t mask = slots_.size() - 1;
  for (std::size_t at = h & mask; slots_[at].row != 0; at = (at + 1) & mask)
    if (slots_[at].hash == h && sameFolded(slots_[at].key, text)) return slots_[at].row;
  return 0;
}
