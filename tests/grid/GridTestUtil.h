#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/grid/Sheet.h"

namespace gridtest {

// A sheet of the given size with optional cell contents written as data
// ("=..." as formulas).
inline void fill(grid::Sheet& s,
                 std::initializer_list<std::tuple<const char*, const char*>> cells) {
  for (const auto& [name, text] : cells) {
    int col = 0, row = 0;
    grid::parseCellName(name, col, row);
    if (col > s.maxCols()) s.setMaxCols(col);
    if (row > s.maxRows()) s.setMaxRows(row);
    std::string t = text;
    if (!t.empty() && t[0] == '=')
      s.setFormula(col, row, t);
    else
      s.setData(col, row, t);
  }
}

// The value text of a formula placed in a spare cell of the sheet.
inline std::string eval(grid::Sheet& s, const std::string& formula, int col = 30, int row = 30) {
  if (s.maxCols() < col) s.setMaxCols(col);
  if (s.maxRows() < row) s.setMaxRows(row);
  if (!s.setFormula(col, row, formula)) return "PARSE: " + s.lastError().message;
  s.reCalc();
  return s.getValue(col, row);
}

// A formula and the value text it must give.
struct Case {
  const char* formula;
  const char* expected;
};

// Each formula, evaluated on the sheet once it is recalculated, gives its value.
inline void expectValues(grid::Sheet& s, std::initializer_list<Case> cases) {
  s.reCalc();
  for (const Case& c : cases) EXPECT_EQ(eval(s, c.formula), c.expected) << c.formula;
}

}  // namespace gridtest
