#pragma once
#include <span>
#include <vector>

#include "platform/grid/formula/CompiledFormula.h"
#include "platform/grid/formula/EvalContext.h"

namespace grid {

// Runs compiled formulas on a stack of operands. One evaluator serves many
// formulas in a row and keeps its buffers between them. A run never
// recurses: nesting was bounded when the formula was compiled.
class Evaluator {
 public:
  // The formula's value: a reference reads as its cell's value, an empty
  // cell as 0; an omitted result or an empty custom-function result stays
  // empty.
  Value run(const CompiledFormula& formula, const EvalContext& context);

 private:
  Operand call(int id, std::span<const Operand> args, const EvalContext& context);
  Operand callArray(int id, std::span<const Operand> args, const EvalContext& context);
  std::vector<Operand> stack_;
  std::vector<Value> scalars_;
};

}  // namespace grid
