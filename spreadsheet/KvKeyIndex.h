#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Texts to rows, without regard to ASCII letter case, in one flat table: a
// look-up reads one or two slots and allocates nothing, which is what lets
// a sheet of 10,000 lookups into a large table recalculate at once.
class KvKeyIndex {
 public:
  // Keeps the row that came first for a text; empty texts are not kept.
  void add(std::string_view text, int row);
  // The row of the text, or 0.
  int find(std::string_view text) const;
  std::size_t size() const { return used_; }

 private:
  struct Slot {
    std::string key;  // folded to lower case
    std::uint64_t hash = 0;
    int row = 0;  // 0: free
  };
  static std::uint64_t hashOf(std::string_view text);
  void grow();

  std::vector<Slot> slots_;  // a power of two long, at most half used
  std::size_t used_ = 0;
};
