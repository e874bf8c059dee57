#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/grid/Value.h"
#include "platform/grid/formula/CompiledFormula.h"

namespace grid {

// One stored cell. A plain cell keeps its data text in value.text (its kind
// says whether the text reads as a number); a formula cell keeps its last
// computed value. `format` indexes the sheet's format table (0: default).
struct Cell {
  Value value;
  CompiledFormula formula;
  std::unique_ptr<std::string> tag;
  int col = 0;
  std::uint32_t format = 0;

  bool hasFormula() const { return static_cast<bool>(formula); }
  bool isBlank() const { return value.isEmpty() && !formula && !tag && format == 0; }
};

}  // namespace grid
