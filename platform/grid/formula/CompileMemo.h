#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/grid/formula/CompiledFormula.h"
#include "platform/grid/formula/Parser.h"

namespace grid {

// A parser that remembers what it compiled, by text and cell: a standards run
// sets the same formulas on the same cells of a reloaded sheet for every
// macro. Only successful compilations are kept; a failing text is compiled
// again, so its error is reported each time. Bounded: past kMaxEntries the
// memory starts afresh.
class CompileMemo {
 public:
  static constexpr std::size_t kMaxEntries = 4096;

  bool compile(std::string_view text, int hostCol, int hostRow, CompiledFormula& out,
               CompileError* error = nullptr);
  std::size_t size() const { return entries_.size(); }

 private:
  FormulaParser parser_;
  std::string key_;  // reused for every look-up
  std::unordered_map<std::string, CompiledFormula> entries_;
};

}  // namespace grid
