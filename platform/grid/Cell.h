#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/grid/Limits.h"
#include "platform/grid/Value.h"
#include "platform/grid/formula/CompiledFormula.h"

namespace grid {

// One stored cell. A plain cell keeps its data text in value.text (its kind
// says whether the text reads as a number); a formula cell keeps its last
// computed value. `format` indexes the sheet's format table (0: default).
//
// A sheet holds millions of these, so the column and the format sit in the
// value's tail padding: 64 bytes a cell rather than 72.
struct Cell {
  [[no_unique_address]] Value value;
  std::int16_t col = 0;  // up to kMaxColumns
  std::uint32_t format = 0;
  CompiledFormula formula;
  std::unique_ptr<std::string> tag;

  bool hasFormula() const { return static_cast<bool>(formula); }
  // A copy with its own formula block and tag; cells are otherwise only moved.
  Cell clone() const;
  bool isBlank() const { return value.isEmpty() && !formula && !tag && format == 0; }
};

static_assert(kMaxColumns <= INT16_MAX, "a cell's column must fit its field");

}  // namespace grid
