#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

// Hash and equality of names without case, folding the ASCII letters as
// Nx_String::equal(..., false) does. A map keyed by a name as it is spelt is
// then found by any spelling, without a lowered copy of the name for every
// look-up.
namespace caseblind {

inline unsigned char fold(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

struct Hash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (char c : s) h = (h ^ fold(static_cast<unsigned char>(c))) * 1099511628211ull;
    return static_cast<std::size_t>(h);
  }
};

struct Equal {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i] != b[i] &&
          fold(static_cast<unsigned char>(a[i])) != fold(static_cast<unsigned char>(b[i])))
        return false;
    return true;
  }
};

template <class Value>
using Map = std::unordered_map<std::string, Value, Hash, Equal>;
using Set = std::unordered_set<std::string, Hash, Equal>;

}  // namespace caseblind
