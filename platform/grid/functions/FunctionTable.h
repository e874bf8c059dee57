#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/grid/formula/Operand.h"

namespace grid {

class Args;
using FunctionBody = Operand (*)(Args&);

// What a function's arguments must be; the runner coerces each argument
// before the body runs, so a body only computes.
//   N number, T text, B boolean, S any single value (errors end the call),
//   E any single value, errors included, R a reference (cell or block),
//   L a list in the sense of SUM: blocks, references and values.
struct FunctionInfo {
  const char* name;
  std::uint8_t minArgs;
  std::uint8_t maxArgs;
  const char* kinds;  // one letter per argument; the last one repeats
  FunctionBody body;

  char kind(std::size_t i) const {
    std::size_t n = std::char_traits<char>::length(kinds);
    return n == 0 ? 'S' : kinds[i < n ? i : n - 1];
  }
};

inline constexpr std::uint8_t kVariadic = 255;

// The worksheet functions by theme; each theme lives in a file of its own.
std::span<const FunctionInfo> mathFunctions();
std::span<const FunctionInfo> roundingFunctions();
std::span<const FunctionInfo> textFunctions();
std::span<const FunctionInfo> lookupFunctions();
std::span<const FunctionInfo> informationFunctions();
std::span<const FunctionInfo> statisticsFunctions();
std::span<const FunctionInfo> logicalFunctions();

// All built-in functions, found by name without case.
class FunctionTable {
 public:
  static const FunctionTable& instance();
  int find(std::string_view upperName) const;  // -1 when unknown
  const FunctionInfo& at(int id) const { return *all_[static_cast<std::size_t>(id)]; }
  std::size_t size() const { return all_.size(); }
  int ifId() const { return if_; }
  int ifErrorId() const { return ifError_; }

 private:
  FunctionTable();
  std::vector<const FunctionInfo*> all_;
  std::unordered_map<std::string_view, int> byName_;
  int if_ = -1, ifError_ = -1;
};

}  // namespace grid
