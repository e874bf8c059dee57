#include "platform/grid/formula/FormulaReads.h"

#include "platform/grid/formula/Bytecode.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {

bool namedReads(const CompiledFormula& formula, std::vector<CellPos>& cells,
                std::vector<Area>& areas) {
  auto c = formula.code();
  const FunctionTable& table = FunctionTable::instance();
  bool confined = true;
  for (std::size_t i = 0; i < c.size(); i += instructionLength(c.data() + i)) {
    switch (opOf(c[i])) {
      case Op::Ref:
        cells.push_back({static_cast<int>(operandOf(c[i])), static_cast<int>(c[i + 1])});
        break;
      case Op::Area:
        areas.push_back({static_cast<int>(operandOf(c[i])), static_cast<int>(c[i + 1]),
                         static_cast<int>(c[i + 2]), static_cast<int>(c[i + 3])});
        break;
      case Op::Call:
      case Op::CallArray:
        if (table.at(static_cast<int>(operandOf(c[i]) & 0xFFFF)).isVolatile) confined = false;
        break;
      case Op::CallCustom:
        confined = false;
        break;
      default:
        break;
    }
  }
  return confined;
}

}  // namespace grid
