#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "platform/grid/formula/Operand.h"

namespace grid {

class Args;
using FunctionBody = Operand (*)(Args&);

// What an argument must be; the runner coerces each argument before the
// body runs, so a body only computes.
enum class ArgKind : std::uint8_t {
  Number,         // coerced to a number
  Text,           // coerced to text
  Boolean,        // coerced to a truth value
  Single,         // any single value; an error ends the call
  SingleOrError,  // any single value, errors included
  Reference,      // a cell or a block, left as it is
  List,           // as SUM takes them: blocks, references and values, left as they are
  Array,          // a block, an array or a value, left as it is (read through ArrayView)
  Any,            // any operand, passed on as it is (CHOOSE's choices, IF's branches)
};

// The kinds of a function's arguments by position; the last one repeats, and
// a function without any takes single values. Written takes(Text, Number).
class ArgKinds {
 public:
  static constexpr std::size_t kMax = 6;

  constexpr ArgKinds() = default;
  constexpr ArgKinds(std::initializer_list<ArgKind> kinds) {
    for (ArgKind k : kinds) kinds_[count_++] = k;
  }
  constexpr ArgKind operator[](std::size_t i) const {
    return count_ == 0 ? ArgKind::Single : kinds_[i < count_ ? i : count_ - 1u];
  }

 private:
  std::array<ArgKind, kMax> kinds_{};
  std::uint8_t count_ = 0;
};

template <class... Kind>
requires(sizeof...(Kind) <= ArgKinds::kMax &&
         (std::is_same_v<Kind, ArgKind> && ...)) constexpr ArgKinds takes(Kind... kinds) {
  return ArgKinds{kinds...};
}

struct FunctionInfo {
  const char* name;
  std::uint8_t minArgs;
  std::uint8_t maxArgs;
  ArgKinds kinds;
  FunctionBody body;
  bool isVolatile = false;  // computed anew whenever the sheet changes (TODAY, INDIRECT)

  constexpr ArgKind kind(std::size_t i) const { return kinds[i]; }
  // Whether argument i is computed as an array: operators there work
  // element by element.
  constexpr bool arrayArgument(std::size_t i) const {
    return kinds[i] == ArgKind::List || kinds[i] == ArgKind::Array;
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
std::span<const FunctionInfo> dateFunctions();
std::span<const FunctionInfo> conditionalFunctions();
std::span<const FunctionInfo> referenceFunctions();

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
