#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/grid/CellAddress.h"
#include "platform/grid/formula/CompiledFormula.h"
#include "platform/grid/formula/Parser.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Compiles the formulas of a sheet being read. A large sheet holds a few
// formulas copied down their columns: the same formula relative to its
// cell. Each such shape is compiled once; a formula of the same shape is
// recognised by its text, every relative reference at the same offset from
// its cell and everything else alike, and gets a copy of the shape's
// program with its own cells. Every cell keeps a program of its own, so
// editing one never touches another. What does not match compiles as usual.
class GRID_API FormulaShapes {
 public:
  // As FormulaParser::compile.
  bool compile(std::string_view text, int col, int row, CompiledFormula& out,
               CompileError* error = nullptr);
  std::size_t shapeCount() const { return shapes_.size(); }
  std::size_t sharedCount() const { return shared_; }  // formulas that were not compiled

 private:
  // A cell reference as written in the shape's text.
  struct RefSpan {
    std::uint32_t pos = 0, len = 0;
    int col = 0, row = 0;
    bool colAbsolute = false, rowAbsolute = false;
  };
  struct Shape {
    std::string text;
    int col = 0, row = 0;
    std::vector<std::uint32_t> code;
    std::vector<RefSpan> refs;
    std::vector<std::uint32_t> sites;  // where the program holds a Ref or an Area
    int misses = 0;  // since the last match: a shape that stopped matching is learnt again
  };
  bool match(const Shape& shape, std::string_view body, int col, int row);
  void instantiate(const Shape& shape, std::string_view body, CompiledFormula& out);
  static bool learn(Shape& shape, std::string_view body, int col, int row,
                    const CompiledFormula& compiled);

  FormulaParser parser_;
  // By a hash of the column and the text without its digits: matching
  // checks everything, so two shapes under one hash cost time, not results.
  std::unordered_map<std::uint64_t, Shape> shapes_;
  std::vector<CellPos> cells_;  // the references of the formula being matched
  std::vector<std::uint32_t> code_;
  std::size_t shared_ = 0;
};

}  // namespace grid
