#pragma once
#include <span>
#include <string_view>

#include "platform/grid/CellStore.h"
#include "platform/grid/formula/Operand.h"

namespace grid {

struct EvalContext;

// Calls the functions a sheet's owner registers at run time.
class CustomCaller {
 public:
  virtual ~CustomCaller() = default;
  // NAME? when no function of that name is registered.
  virtual Operand callCustom(std::string_view name, std::span<const Operand> args,
                             const EvalContext& context) = 0;
};

// What a running formula sees: the cells, its own cell, the sheet size and
// the custom functions.
struct EvalContext {
  const CellStore& cells;
  CellPos host;
  int maxCols = 0;
  int maxRows = 0;
  CustomCaller* custom = nullptr;

  const Value& value(int col, int row) const { return cells.value(col, row); }
};

// The scalar value of an operand: a cell's value for a reference, the
// cell in the formula's own row or column for a one-column or one-row block
// (implicit intersection), #VALUE! for any other block, empty for an omitted
// argument.
const Value& scalarOf(const Operand& o, const EvalContext& context);

}  // namespace grid
